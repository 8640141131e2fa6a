// Top-level forms built in code from a description that mirrors a form table: caption, client
// size at 96 dpi, border, placement, window state, colour and font. Forms show and hide, close
// with a close action, and run modally until their ModalResult is set; they move the focus with
// Tab and WM_NEXTDLGCTL and press their default and cancel buttons on Enter and Esc.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/WinControl.h"

enum class TBorderStyle { None, Single, Sizeable, Dialog };
enum : std::uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class TPosition { Designed, ScreenCenter, OwnerFormCenter, MainFormCenter };
enum class TWindowState { Normal, Minimized, Maximized };
enum class TCloseAction { None, Hide, Free, Minimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;

// Keys held with a key press.
enum : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
std::uint8_t KeyShiftState();

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
  void BringToFront();
  void Close();
  // Frees the form once the messages now queued for it have been handled.
  void Release();

  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult = mrNone;

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

  // The application's message loop offers every key message for target here first; true
  // means the form has handled it.
  bool PreviewKey(TWinControl* target, const MSG& msg);
  // Focus tracking, from the form's controls.
  void ActiveControlFocused(TWinControl* c);
  void ControlRemoved(TWinControl* c);

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual bool CloseQuery();
  // The active control changed; the work forms follow it.
  virtual void ActiveControlChanged() {}
  // Whether Tab, Enter and Esc work as dialog keys.
  virtual bool WantsDialogKeys() const { return true; }

 private:
  void Place();
  void FocusControl();
  bool PressDialogButton(bool defaultKey, TWinControl* target);
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
  TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// Builds a form and runs its creation event.
template <class T, class... A>
T* NewForm(A&&... args) {
  T* f = new T(std::forward<A>(args)...);
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
