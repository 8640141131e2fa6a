#include "gui/Form.h"

#include <algorithm>

#include "gen0/GenError.h"
#include "gui/Application.h"
#include "gui/Button.h"
#include "gui/Screen.h"

std::uint8_t KeyShiftState() {
  std::uint8_t s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

namespace {
// Controls that take part in Tab navigation, depth first in tab order.
void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    if (c->TabStop()) out.push_back(c);
    CollectTabStops(c, out);
  }
}

void CollectButtons(TWinControl* parent, std::vector<TButton*>& out) {
  for (TWinControl* c : parent->Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c)) out.push_back(b);
    CollectButtons(c, out);
  }
}

bool IsInside(TWinControl* c, TWinControl* ancestor) {
  for (; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}

// The windows of this thread that a modal form disables, and enables again afterwards.
struct TaskWindows {
  HWND except;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableTaskWindow(HWND w, LPARAM param) {
  auto* t = reinterpret_cast<TaskWindows*>(param);
  if (w != t->except && IsWindowVisible(w) && IsWindowEnabled(w)) {
    t->disabled.push_back(w);
    EnableWindow(w, FALSE);
  }
  return TRUE;
}
}  // namespace

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
  SetClientSize(MulDiv(clientWidth_, m, d), MulDiv(clientHeight_, m, d));
  Font.SetHeight(MulDiv(Font.Height(), m, d));
  ScaleControls(m, d);
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
    HWND w = Handle();
    if (Visible() && IsWindowVisible(w)) {
      BringToFront();
      return;
    }
    if (!placed_) {
      Place();
      placed_ = true;
    }
    SetVisibleFlag(true);
    DoShow();
    ShowWindow(w, windowState_ == TWindowState::Maximized   ? SW_SHOWMAXIMIZED
                  : windowState_ == TWindowState::Minimized ? SW_SHOWMINIMIZED
                                                            : SW_SHOWNORMAL);
    return;
  }
  if (!Visible()) return;
  SetVisibleFlag(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  DoHide();
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

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal() {
  TCloseAction action = TCloseAction::None;
  if (CloseQuery()) {
    action = TCloseAction::Hide;
    DoClose(action);
  }
  if (action == TCloseAction::None) ModalResult = mrNone;
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) throw Exception("Cannot make a visible window modal");
  ReleaseCapture();
  HWND before = GetActiveWindow();
  TaskWindows tasks = {Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&tasks));
  modal_ = true;
  ModalResult = mrNone;
  auto restore = [&] {
    for (HWND w : tasks.disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    modal_ = false;
    if (before && IsWindow(before)) SetActiveWindow(before);
  };
  try {
    Show();
    do {
      Application->HandleMessage();
      if (Application->Terminated())
        ModalResult = mrCancel;
      else if (ModalResult != mrNone)
        CloseModal();
    } while (ModalResult == mrNone);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return ModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* c) {
  if (c == activeControl_) return;
  activeControl_ = c;
  if (c && HandleAllocated() && GetActiveWindow() == Handle() && c->CanFocus())
    ::SetFocus(c->Handle());
  ActiveControlChanged();
}

void TCustomForm::ActiveControlFocused(TWinControl* c) {
  if (c == activeControl_) return;
  activeControl_ = c;
  ActiveControlChanged();
}

void TCustomForm::ControlRemoved(TWinControl* c) {
  if (IsInside(activeControl_, c)) activeControl_ = nullptr;
}

void TCustomForm::FocusControl() {
  if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  for (TWinControl* c : stops) {
    if (c->CanFocus()) {
      ::SetFocus(c->Handle());
      return;
    }
  }
  ::SetFocus(Handle());
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  int n = int(stops.size());
  if (n == 0) return;
  int i = int(std::find(stops.begin(), stops.end(), current) - stops.begin());
  if (i == n) i = forward ? -1 : n;
  for (int k = 0; k < n; ++k) {
    i = (i + (forward ? 1 : -1) + n) % n;
    if (stops[i]->CanFocus()) {
      stops[i]->SetFocus();
      return;
    }
  }
}

bool TCustomForm::PressDialogButton(bool defaultKey, TWinControl* target) {
  if (defaultKey) {
    if (auto* focused = dynamic_cast<TButton*>(target)) {
      focused->Click();
      return true;
    }
  }
  std::vector<TButton*> buttons;
  CollectButtons(this, buttons);
  for (TButton* b : buttons) {
    if ((defaultKey ? b->Default() : b->Cancel()) && b->CanFocus()) {
      b->Click();
      return true;
    }
  }
  return false;
}

bool TCustomForm::PreviewKey(TWinControl* target, const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (KeyPreview && OnKeyDown) {
    WORD key = WORD(msg.wParam);
    OnKeyDown(this, key, KeyShiftState());
    if (key == 0) return true;
  }
  if (!WantsDialogKeys()) return false;
  LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if ((code & DLGC_WANTTAB) || GetKeyState(VK_CONTROL) < 0) return false;
      SelectNext(target, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_RETURN:
      return PressDialogButton(true, target);
    case VK_ESCAPE:
      return PressDialogButton(false, target);
  }
  return false;
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
    case CM_RELEASE:
      delete this;
      return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}
