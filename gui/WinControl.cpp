// The window's life: creation (our own classes, and system classes subclassed from their
// first message), dispatch behind the exception barrier, texts, colours and fonts.
#include "gui/WinControl.h"

#include <utility>

#include "gen0/GenError.h"
#include "gui/ExceptionBarrier.h"
#include "gui/Screen.h"
#include "gui/WideText.h"
#include "gui/WindowClass.h"

namespace {
int s_nextId = 100;
// Our control behind a window, and the system class's procedure behind our subclass: window
// properties, so that they survive whatever subclasses the window after us.
const wchar_t* const ControlProp = L"Morimo.Control";
const wchar_t* const DefProcProp = L"Morimo.DefProc";
// The control whose system-class window is being created; the creation hook subclasses the
// window before its first message.
TWinControl* s_creating = nullptr;
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  Font.OnChange = [this] { OnFontChange(); };
  brush_.SetColor(color_);
}

TWinControl::~TWinControl() {
  MarkDestroying();
  DestroyComponents();
  // Children go with their parent, whoever owns them.
  while (!controls_.empty()) delete controls_.back();
  DestroyHandle();
  if (parent_) parent_->RemoveControl(this);
  Font.OnChange = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    if (HandleAllocated()) DestroyHandle();
    parent_->RemoveControl(this);
  }
  if (!parent) return;
  parent->InsertControl(this);
  if (parentFont_) ParentFontChanged();
  if (parentColor_) ParentColorChanged();
  if (parent->HandleAllocated()) Handle();
  RequestAlign();
}

bool TWinControl::ContainsControl(const TWinControl* c) const {
  for (; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

TWinControl* TWinControl::TopParent() {
  TWinControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

TCustomForm* TWinControl::ParentForm() { return TopParent()->AsForm(); }

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.WinClassName = ClassName();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
}

void TWinControl::CreateWnd() {
  // The parent first: making its window makes its children's, this one's among them.
  HWND parentWindow = parent_ ? parent_->Handle() : nullptr;
  if (handle_) return;
  TCreateParams p;
  CreateParams(p);
  if (parent_) p.WndParent = parentWindow;
  CreateWindowHandle(p);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
  for (TWinControl* c : controls_) c->Handle();
}

LRESULT CALLBACK TWinControl::CreationHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && s_creating) {
    TWinControl* c = std::exchange(s_creating, nullptr);
    HWND w = reinterpret_cast<HWND>(wp);
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc)));
    c->Attach(w, old, true);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR(s_nextId++ & 0x7FFF)) : nullptr;
  const std::wstring text = Widen(text_);
  HWND w;
  if (p.SystemClass) {
    // Subclassed from its first message on, so that our procedure sees its creation too.
    SetLastError(0);
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
    if (!hook) throw ELastError(GetLastError(), "ウィンドウを作成できません");
    s_creating = this;
    SetLastError(0);
    w = CreateWindowExW(p.ExStyle, Widen(p.SystemClass).c_str(), text.c_str(), p.Style, p.X, p.Y,
                        p.Width, p.Height, p.WndParent, id, instance, nullptr);
    DWORD error = GetLastError();
    s_creating = nullptr;
    UnhookWindowsHookEx(hook);
    if (!w) throw ELastError(error, "ウィンドウを作成できません");
  } else {
    const std::wstring cls = Widen(p.WinClassName);
    if (!RegisterWindowClass(cls.c_str(), &StdWndProc, p.ClassStyle,
                             LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))))
      throw ELastError(GetLastError(), "ウィンドウクラスを登録できません - " + p.WinClassName);
    SetLastError(0);
    w = CreateWindowExW(p.ExStyle, cls.c_str(), text.c_str(), p.Style, p.X, p.Y, p.Width,
                        p.Height, p.WndParent, id, instance, this);
    if (!w) throw ELastError(GetLastError(), "ウィンドウを作成できません");
  }
  if (handle_ != w) throw ELuInternal("ウィンドウを作成できません - " + ClassName());
  UpdateBoundsFromWindow();
}

void TWinControl::Attach(HWND w, WNDPROC defProc, bool subclassed) {
  handle_ = w;
  defProc_ = defProc;
  subclassed_ = subclassed;
  SetPropW(w, ControlProp, this);
  if (subclassed) SetPropW(w, DefProcProp, reinterpret_cast<HANDLE>(defProc));
}

void TWinControl::Detach() {
  HWND w = std::exchange(handle_, nullptr);
  if (!w) return;
  RemovePropW(w, ControlProp);
  // The system class's procedure goes back only while ours is the one installed; under a
  // later subclass ours stays in the chain and passes everything on to the saved one.
  if (subclassed_ &&
      GetWindowLongPtrW(w, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StdWndProc)) {
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defProc_));
    RemovePropW(w, DefProcProp);
  }
  subclassed_ = false;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* c : controls_) c->DestroyHandle();
  text_ = Text();
  HWND w = handle_;
  // Stop dispatch, unsubclass, then destroy.
  Detach();
  DestroyWindow(w);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  bool focused = Focused();
  DestroyHandle();
  Handle();
  if (focused) ::SetFocus(handle_);
}

TWinControl* TWinControl::FindControl(HWND w) {
  return w ? static_cast<TWinControl*>(GetPropW(w, ControlProp)) : nullptr;
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<TWinControl*>(GetPropW(w, ControlProp));
  if (!self && msg == WM_NCCREATE) {
    // Our own classes: the control comes with the creation data.
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) self->Attach(w, &DefWindowProcW, false);
  }
  if (!self) {
    // Detached, or never ours: the saved system procedure, else the default.
    auto def = reinterpret_cast<WNDPROC>(GetPropW(w, DefProcProp));
    LRESULT r = def ? CallWindowProcW(def, w, msg, wp, lp) : DefWindowProcW(w, msg, wp, lp);
    if (msg == WM_NCDESTROY) RemovePropW(w, DefProcProp);
    return r;
  }
  TFreeWatch watch(self);
  LRESULT r = Dispatch(self, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    if (!watch.Freed() && self->handle_ == w) self->Detach();
    RemovePropW(w, ControlProp);
    RemovePropW(w, DefProcProp);
  }
  return r;
}

LRESULT TWinControl::Dispatch(TWinControl* self, UINT msg, WPARAM wp, LPARAM lp) {
  TDispatchScope scope(self);
  try {
    return self->WndProc(msg, wp, lp);
  } catch (...) {
    HandleCallbackException(scope.Freed() ? nullptr : self);
    return 0;
  }
}

TDispatchScope::TDispatchScope(TWinControl* c) : c_(c), watch_(c) { ++c->dispatchDepth_; }

TDispatchScope::~TDispatchScope() {
  if (watch_.Freed() || --c_->dispatchDepth_ != 0) return;
  try {
    c_->DispatchEnded();
  } catch (...) {
    HandleCallbackException(c_);
  }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM w, LPARAM l) {
  if (!handle_) return 0;
  if (msg >= CN_BASE && msg < CN_BASE + 0x400) return 0;
  return CallWindowProcW(defProc_, handle_, msg, w, l);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_COMMAND:
      if (TWinControl* c = FindControl(reinterpret_cast<HWND>(l)))
        return Dispatch(c, CN_COMMAND, w, l);
      break;
    case WM_NOTIFY:
      if (TWinControl* c = FindControl(reinterpret_cast<NMHDR*>(l)->hwndFrom))
        return Dispatch(c, CN_NOTIFY, w, l);
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (TWinControl* c = FindControl(reinterpret_cast<HWND>(l)))
        return Dispatch(c, CN_BASE + msg, w, l);
      break;
    case WM_DRAWITEM:
      if (TWinControl* c = FindControl(reinterpret_cast<DRAWITEMSTRUCT*>(l)->hwndItem))
        return Dispatch(c, CN_DRAWITEM, w, l);
      break;
    case WM_MEASUREITEM:
      if (TWinControl* c =
              FindControl(GetDlgItem(handle_, int(reinterpret_cast<MEASUREITEMSTRUCT*>(l)->CtlID))))
        return Dispatch(c, CN_MEASUREITEM, w, l);
      break;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(w)));
    case WM_ERASEBKGND:
      if (!subclassed_) {
        RECT r;
        GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, brush_.Handle());
        return 1;
      }
      break;
    case WM_CLOSE:
      // Only forms close. A child that hands WM_CLOSE to the default procedure is destroyed,
      // and a system control may send its parent one (a multi-line EDIT on Esc).
      if (!AsForm()) return 0;
      break;
    case WM_NEXTDLGCTL:
      // Dialog navigation belongs to the form, wherever a control sends it.
      if (!AsForm()) {
        TWinControl* top = TopParent();
        return top != this && top->AsForm() && top->HandleAllocated()
                   ? SendMessageW(top->handle_, msg, w, l)
                   : 0;
      }
      break;
    case WM_SETFOCUS:
      if (TWinControl* top = TopParent(); top != this) top->ChildFocused(this);
      break;
    case WM_SETCURSOR:
      if (Screen && Screen->Cursor() != crDefault) {
        SetCursor(Screen->CursorHandle());
        return TRUE;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = DefaultHandler(msg, w, l);
      UpdateBoundsFromWindow();
      if (!(reinterpret_cast<WINDOWPOS*>(l)->flags & SWP_NOSIZE)) Resize();
      return r;
    }
  }
  return DefaultHandler(msg, w, l);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font.Color()));
  SetBkColor(dc, ColorToRGB(color_));
  return brush_.Handle();
}

void TWinControl::Click() {
  if (OnClick) OnClick(this);
}

std::string TWinControl::Text() {
  if (!handle_) return text_;
  return Narrow(WideWindowText(handle_));
}

void TWinControl::SetText(const std::string& text) {
  text_ = text;
  if (handle_) SetWindowTextW(handle_, Widen(text).c_str());
}

void TWinControl::OnFontChange() {
  if (!syncing_) parentFont_ = false;
  FontChanged();
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
    Invalidate();
  }
  for (TWinControl* c : controls_)
    if (c->parentFont_) c->ParentFontChanged();
}

void TWinControl::ParentFontChanged() {
  syncing_ = true;
  Font.Set(parent_->Font.Desc());
  syncing_ = false;
}

void TWinControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) ParentFontChanged();
}

void TWinControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
}

void TWinControl::ColorChanged() {
  brush_.SetColor(color_);
  Invalidate();
  for (TWinControl* c : controls_)
    if (c->parentColor_) c->ParentColorChanged();
}

void TWinControl::ParentColorChanged() {
  color_ = parent_->color_;
  ColorChanged();
}

void TWinControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) ParentColorChanged();
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}
