// The windowed control: a component that owns one Unicode window, made when first needed and
// made again when a style change asks for it. Messages arrive at the virtual WndProc; what it
// does not handle goes to the default procedure (DefWindowProcW, or the system class's own
// procedure for controls of a system class). A parent hands WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR* and the item messages back to the control they concern. Texts are Shift-JIS
// byte strings; they are converted where they meet the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/Component.h"
#include "gui/Graphics.h"

class TCustomForm;

enum class TAlign { None, Top, Bottom, Left, Right, Client };

// Keys held with a key press.
enum : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
std::uint8_t KeyShiftState();

// Reflected notifications: what a parent received, sent back to the control it is about.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;

struct TCreateParams {
  std::string WinClassName;           // our own registered class
  const char* SystemClass = nullptr;  // or a system class, whose window we subclass
  DWORD Style = 0;
  DWORD ExStyle = 0;
  UINT ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
};

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  const std::vector<TWinControl*>& Controls() const { return controls_; }
  // Whether c is this control or lies inside it.
  bool ContainsControl(const TWinControl* c) const;
  // The form this control sits on, or itself for a form.
  TCustomForm* ParentForm();
  // Forms answer themselves; every other control null.
  virtual TCustomForm* AsForm() { return nullptr; }

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void RecreateWnd();
  // Virtual for controls that must let go of what depends on their window first.
  virtual void DestroyHandle();

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual RECT ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  std::string Text();
  void SetText(const std::string& text);
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }

  TFont Font;
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  // The parent's children that take part in Tab navigation, in tab order.
  const std::vector<TWinControl*>& TabList() const { return tabList_; }

  bool CanFocus() const;
  bool Focused() const;
  void SetFocus();

  std::string Hint;
  int Tag = 0;
  TNotifyEvent OnClick, OnEnter, OnExit;

  // The form's dialog-key protocol. A key that the focused control does not want (its
  // WM_GETDLGCODE answer) is offered to that control, then to the form, then to every other
  // control; true means handled. Dialog characters (Alt+letter, or a letter typed where no
  // text is wanted) go the same way, as UTF-16 code units.
  virtual bool DialogKey(WORD key, std::uint8_t shift) { return false; }
  virtual bool DialogChar(wchar_t ch) { return false; }
  // The form's active control changed: the control that loses it (and each parent it leaves)
  // exits, the one that gains it (and each parent it enters) enters.
  virtual void DoEnter();
  virtual void DoExit();

  void Invalidate();
  void Update();
  // Scales position, size and font by m / d, and every child with them.
  virtual void ChangeScale(int m, int d);
  void ScaleControls(int m, int d);

  // The control behind a window of ours, or null for any other window.
  static TWinControl* FindControl(HWND w);

  // The message procedure; handlers call the default through TWinControl::WndProc.
  virtual LRESULT WndProc(UINT msg, WPARAM w, LPARAM l);
  virtual void Click();

 protected:
  virtual void CreateParams(TCreateParams& p);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& p);
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void Resize();
  virtual void AlignControls();
  // Brush for WM_CTLCOLOR* reflected from the parent.
  virtual HBRUSH CtlColor(HDC dc);
  // A child of this control was removed; forms forget it as their active control.
  virtual void ChildRemoved(TWinControl* c) {}
  // A control inside this one gained the focus; forms track their active control through it.
  virtual void ChildFocused(TWinControl* c) {}
  // The outermost parent: the form for a control that sits on one.
  TWinControl* TopParent();
  // Whether a style change needs a new window.
  void StyleChanged() {
    if (HandleAllocated()) RecreateWnd();
  }
  LRESULT DefaultHandler(UINT msg, WPARAM w, LPARAM l);
  // The visible flag alone, for forms, which show and hide their windows themselves.
  void SetVisibleFlag(bool v) { visible_ = v; }
  // Dispatching messages of this control is on the stack this many times.
  int DispatchDepth() const { return dispatchDepth_; }
  // Runs WndProc behind the exception barrier, counting the depth; self may be freed inside.
  static LRESULT Dispatch(TWinControl* self, UINT msg, WPARAM wp, LPARAM lp);
  // Dispatch has left this control for the last time on the stack.
  virtual void DispatchEnded() {}

  TBrush brush_;  // the control's background, in Color

 private:
  friend class TDispatchScope;
  static LRESULT CALLBACK StdWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
  void Attach(HWND w, WNDPROC defProc, bool subclassed);
  void Detach();
  void InsertControl(TWinControl* c);
  void RemoveControl(TWinControl* c);
  void OnFontChange();
  void ParentFontChanged();
  void ParentColorChanged();
  void RequestAlign();
  void UpdateBoundsFromWindow();

  HWND handle_ = nullptr;
  WNDPROC defProc_ = nullptr;
  bool subclassed_ = false;
  int dispatchDepth_ = 0;
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> controls_;
  std::vector<TWinControl*> tabList_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::None;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool parentColor_ = true;
  bool tabStop_ = false;
  bool syncing_ = false;
  bool aligning_ = false;
  TColor color_ = clBtnFace;
  std::string text_;
};

// Counts as a dispatch of c for as long as it lives: code that calls handlers of c from
// outside its window procedure (the key preview) keeps c's deferred release waiting.
class TDispatchScope {
 public:
  explicit TDispatchScope(TWinControl* c);
  ~TDispatchScope();
  TDispatchScope(const TDispatchScope&) = delete;
  TDispatchScope& operator=(const TDispatchScope&) = delete;
  bool Freed() const { return watch_.Freed(); }

 private:
  TWinControl* c_;
  TFreeWatch watch_;
};

// Builds a control owned by owner inside parent at the given bounds, as a form table places it.
template <class T>
T* NewControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  T* c = New<T>(owner);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}
