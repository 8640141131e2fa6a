// Top-level forms built in code from a description that mirrors a form table: caption, client
// size at 96 dpi, border, placement, window state, colour and font. Forms show and hide, close
// with a close action, and run modally until their ModalResult is set; they keep track of the
// active control and answer the dialog keys (Tab, arrows, Enter, Esc) and characters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/ControlCanvas.h"
#include "gui/ModalResult.h"
#include "gui/WinControl.h"

enum class TBorderStyle { None, Single, Sizeable, Dialog };
enum : std::uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class TPosition { Designed, ScreenCenter, OwnerFormCenter, MainFormCenter };
enum class TWindowState { Normal, Minimized, Maximized };
enum class TCloseAction { None, Hide, Free, Minimize };

struct TFormDesc {
  std::string Caption;
  int ClientWidth = 0, ClientHeight = 0;
  int Left = 0, Top = 0;  // used with TPosition::Designed
  TBorderStyle BorderStyle = TBorderStyle::Sizeable;
  std::uint8_t BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = TPosition::Designed;
  TWindowState WindowState = TWindowState::Normal;
  TColor Color = clBtnFace;
  TFontDesc Font;
  bool StayOnTop = false;
  bool KeyPreview = false;
  // Designed at 96 dpi: scaled to the screen's resolution when created.
  bool Scaled = true;
};

class TCustomForm : public TWinControl {
 public:
  TCustomForm(TComponent* owner, const TFormDesc& desc);
  ~TCustomForm() override;
  std::string ClassName() const override { return "TForm"; }
  TCustomForm* AsForm() override { return this; }

  // Scales the form to the screen's resolution, ends the loading state and runs OnCreate;
  // NewForm and the application call it once the constructor has built the controls.
  void DoCreate();

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b);
  std::uint8_t BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(std::uint8_t icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState s);
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v);
  bool KeyPreview = false;

  void SetClientSize(int width, int height);
  RECT ClientRect() override;

  void SetVisible(bool v) override;
  // Shows the form without taking the activation from the window that has it.
  void ShowNoActivate();
  void BringToFront();
  void Close();
  // Frees the form once the messages now queued for it have been handled, and not before
  // every handler of the form on the stack and its modal loop have returned.
  void Release();

  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult = mrNone;

  // A canvas on the form's window, for measuring text in the form's font.
  TControlCanvas Canvas{this};

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  // Moves the focus to the next (or previous) control after current in tab order.
  void SelectNext(TWinControl* current, bool forward);

  void ScaleBy(int m, int d) { ChangeScale(m, d); }
  void ChangeScale(int m, int d) override;

  TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate;
  std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
  std::function<void(TComponent* sender, bool& canClose)> OnCloseQuery;
  std::function<void(TComponent* sender, WORD& key, std::uint8_t shift)> OnKeyDown;

  // The application's message loop offers every key and character message for target here
  // first; true means the form has handled it.
  bool PreviewKey(TWinControl* target, const MSG& msg);
  // The form's own dialog keys: Tab and the arrows move the focus.
  bool DialogKey(WORD key, std::uint8_t shift) override;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual bool CloseQuery();
  // The active control changed; the work forms follow it.
  virtual void ActiveControlChanged() {}
  // Whether Tab, arrows, Enter and Esc work as dialog keys.
  virtual bool WantsDialogKeys() const { return true; }
  void ChildRemoved(TWinControl* c) override;
  void ChildFocused(TWinControl* c) override;
  void DispatchEnded() override;

 private:
  void Place();
  void ShowWith(int showCommand);
  void FocusControl();
  void SetFocusedControl(TWinControl* c);
  bool HandleDialogKey(TWinControl* target, WORD key, std::uint8_t shift);
  bool HandleDialogChar(wchar_t ch);
  void CloseModal();
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;

  TBorderStyle borderStyle_;
  std::uint8_t borderIcons_;
  TPosition position_;
  TWindowState windowState_;
  bool stayOnTop_;
  int clientWidth_, clientHeight_;
  bool scaled_;
  bool placed_ = false;
  bool modal_ = false;
  bool releasePending_ = false;
  TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// Builds a form and runs its creation event.
template <class T, class... A>
T* NewForm(A&&... args) {
  T* f = New<T>(std::forward<A>(args)...);
  try {
    f->DoCreate();
  } catch (...) {
    delete f;
    throw;
  }
  return f;
}

inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
