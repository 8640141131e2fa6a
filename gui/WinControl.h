// The windowed control: a component that owns one window, made when first needed and made
// again when a style change asks for it. Messages arrive at the virtual WndProc; what it does not
// handle goes to the default procedure (DefWindowProcA, or the system class's own procedure
// for controls that subclass one). A parent hands WM_COMMAND, WM_CTLCOLOR* and the item
// messages back to the control they concern.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "gui/Component.h"
#include "gui/Graphics.h"

class TCustomForm;

enum class TAlign { None, Top, Bottom, Left, Right, Client };

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
  const char* SystemClass = nullptr;  // or a system class to create and subclass
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
  // The form this control sits on, or itself for a form.
  TCustomForm* ParentForm();

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void RecreateWnd();
  void DestroyHandle();

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
  TNotifyEvent OnClick;

  void Invalidate();
  void Update();
  // Scales position, size and font by m / d, and every child with them.
  virtual void ChangeScale(int m, int d);
  void ScaleControls(int m, int d);

  // The control behind a window of ours, or null for any other window.
  static TWinControl* FindControl(HWND w);

  // The message procedure; handlers call the default through Inherited.
  virtual LRESULT WndProc(UINT msg, WPARAM w, LPARAM l);

 protected:
  virtual void CreateParams(TCreateParams& p);
  virtual void CreateWnd();
  // After the window exists: fonts, texts and children.
  virtual void CreateWindowHandle(const TCreateParams& p);
  virtual void Click();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void Resize();
  virtual void AlignControls();
  // Brush for WM_CTLCOLOR* reflected from the parent.
  virtual HBRUSH CtlColor(HDC dc);
  // Whether a style change needs a new window.
  void StyleChanged() {
    if (HandleAllocated()) RecreateWnd();
  }
  LRESULT DefaultHandler(UINT msg, WPARAM w, LPARAM l);
  // The visible flag alone, for forms, which show and hide their windows themselves.
  void SetVisibleFlag(bool v) { visible_ = v; }
  // The control gained the focus; forms track their active control through it.
  virtual void FocusGained();

  TBrush brush_;  // the control's background, in Color

 private:
  static LRESULT CALLBACK StdWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT Dispatch(TWinControl* self, UINT msg, WPARAM wp, LPARAM lp);
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
