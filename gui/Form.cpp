// A form's window: style from its border and icons, placement, showing and hiding, closing
// with a close action, and scaling.
#include "gui/Form.h"

#include <algorithm>

#include "gui/Application.h"
#include "gui/Screen.h"

TCustomForm::TCustomForm(TComponent* owner, const TFormDesc& desc)
    : TWinControl(owner),
      borderStyle_(desc.BorderStyle),
      borderIcons_(desc.BorderIcons),
      position_(desc.Position),
      windowState_(desc.WindowState),
      stayOnTop_(desc.StayOnTop),
      clientWidth_(desc.ClientWidth),
      clientHeight_(desc.ClientHeight) {
  SetLoading(true);
  SetVisibleFlag(false);
  scaled_ = desc.Scaled;
  KeyPreview = desc.KeyPreview;
  Font.Set(desc.Font);
  SetColor(desc.Color);
  SetText(desc.Caption);
  SetClientSize(desc.ClientWidth, desc.ClientHeight);
  SetBounds(desc.Left, desc.Top, Width(), Height());
}

TCustomForm::~TCustomForm() {
  MarkDestroying();
  if (Application) Application->FormDestroyed(this);
  Canvas.FreeHandle();
  // The controls go while the form is still a form: they report their removal to it.
  DestroyComponents();
}

void TCustomForm::DoCreate() {
  if (scaled_ && Screen && Screen->PixelsPerInch != 96) ScaleBy(Screen->PixelsPerInch, 96);
  SetLoading(false);
  if (OnCreate) OnCreate(this);
}

DWORD TCustomForm::WindowStyle() const {
  DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  switch (borderStyle_) {
    case TBorderStyle::None:
      return style | WS_POPUP;
    case TBorderStyle::Single:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case TBorderStyle::Sizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TBorderStyle::Dialog:
      style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      break;
  }
  if (borderIcons_ & biSystemMenu) style |= WS_SYSMENU;
  if (borderStyle_ != TBorderStyle::Dialog) {
    if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
    if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD TCustomForm::WindowExStyle() const {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (borderStyle_ == TBorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (stayOnTop_) ex |= WS_EX_TOPMOST;
  return ex;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WindowStyle();
  if (!Enabled()) p.Style |= WS_DISABLED;
  p.ExStyle = WindowExStyle();
  auto* ownerForm = dynamic_cast<TWinControl*>(Owner());
  if (ownerForm && ownerForm->HandleAllocated())
    p.WndParent = ownerForm->Handle();
  else if (Application)
    p.WndParent = Application->Handle();
}

void TCustomForm::SetBorderStyle(TBorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  SetClientSize(clientWidth_, clientHeight_);
  StyleChanged();
}

void TCustomForm::SetBorderIcons(std::uint8_t icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  StyleChanged();
}

void TCustomForm::SetStayOnTop(bool v) {
  stayOnTop_ = v;
  if (HandleAllocated())
    SetWindowPos(Handle(), v ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState s) {
  windowState_ = s;
  if (HandleAllocated() && Visible())
    ShowWindow(Handle(), s == TWindowState::Maximized   ? SW_MAXIMIZE
                         : s == TWindowState::Minimized ? SW_MINIMIZE
                                                        : SW_RESTORE);
}

void TCustomForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  RECT r = {0, 0, width, height};
  AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

RECT TCustomForm::ClientRect() {
  if (HandleAllocated()) return TWinControl::ClientRect();
  return RECT{0, 0, clientWidth_, clientHeight_};
}

void TCustomForm::ChangeScale(int m, int d) {
  // Controls first, as TWinControl::ChangeScale does.
  ScaleControls(m, d);
  SetClientSize(MulDiv(clientWidth_, m, d), MulDiv(clientHeight_, m, d));
  Font.SetHeight(MulDiv(Font.Height(), m, d));
}

void TCustomForm::Place() {
  int w = Width(), h = Height();
  RECT center = {0, 0, Screen ? Screen->Width() : w, Screen ? Screen->Height() : h};
  TWinControl* over = nullptr;
  if (position_ == TPosition::OwnerFormCenter) over = dynamic_cast<TCustomForm*>(Owner());
  if (position_ == TPosition::MainFormCenter || (position_ == TPosition::OwnerFormCenter && !over))
    over = Application ? Application->MainForm() : nullptr;
  if (over == this || (over && !over->HandleAllocated())) over = nullptr;
  if (position_ == TPosition::Designed) return;
  if (over) GetWindowRect(over->Handle(), &center);
  int left = center.left + (center.right - center.left - w) / 2;
  int top = center.top + (center.bottom - center.top - h) / 2;
  if (over && Screen) {
    // Centred on another window, but never off the desktop.
    RECT work = Screen->WorkAreaRect();
    left = std::max<int>(work.left, std::min<int>(left, work.right - w));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - h));
  }
  SetBounds(left, top, w, h);
}

void TCustomForm::SetVisible(bool v) {
  if (v) {
    ShowWith(windowState_ == TWindowState::Maximized   ? SW_SHOWMAXIMIZED
             : windowState_ == TWindowState::Minimized ? SW_SHOWMINIMIZED
                                                       : SW_SHOWNORMAL);
    return;
  }
  if (!Visible()) return;
  SetVisibleFlag(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  DoHide();
}

void TCustomForm::ShowNoActivate() { ShowWith(SW_SHOWNA); }

void TCustomForm::ShowWith(int showCommand) {
  HWND w = Handle();
  if (Visible() && IsWindowVisible(w)) {
    if (showCommand != SW_SHOWNA) BringToFront();
    return;
  }
  if (!placed_) {
    Place();
    placed_ = true;
  }
  SetVisibleFlag(true);
  DoShow();
  ShowWindow(w, showCommand);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::BringToFront() {
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  bool main = Application && Application->MainForm() == this;
  TCloseAction action = main ? TCloseAction::Free : TCloseAction::Hide;
  DoClose(action);
  if (action == TCloseAction::None) return;
  if (main) {
    Application->Terminate();
  } else if (action == TCloseAction::Hide) {
    Hide();
  } else if (action == TCloseAction::Minimize) {
    SetWindowState(TWindowState::Minimized);
  } else {
    Release();
  }
}

LRESULT TCustomForm::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE) {
        if (!HIWORD(w)) FocusControl();
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      return 0;
    case WM_NEXTDLGCTL:
      if (LOWORD(l)) {
        if (TWinControl* c = FindControl(reinterpret_cast<HWND>(w))) c->SetFocus();
      } else {
        SelectNext(FindControl(GetFocus()), w == 0);
      }
      return 0;
    case WM_DESTROY:
      Canvas.FreeHandle();
      break;
    case CM_RELEASE:
      // Not while a handler of the form or its modal loop is still on the stack.
      if (DispatchDepth() > 1 || modal_) {
        releasePending_ = true;
        return 0;
      }
      delete this;
      return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}
