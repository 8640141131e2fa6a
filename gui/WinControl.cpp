#include "gui/WinControl.h"

#include <algorithm>

#include "gen0/GenError.h"
#include "gui/ExceptionBarrier.h"
#include "gui/Form.h"
#include "gui/Screen.h"
#include "gui/WindowClass.h"

namespace {
int s_nextId = 100;
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

void TWinControl::InsertControl(TWinControl* c) {
  c->parent_ = this;
  controls_.push_back(c);
  tabList_.push_back(c);
}

void TWinControl::RemoveControl(TWinControl* c) {
  if (TCustomForm* form = ParentForm()) form->ControlRemoved(c);
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
  c->parent_ = nullptr;
}

TCustomForm* TWinControl::ParentForm() {
  TWinControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(c);
}

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
  TCreateParams p;
  CreateParams(p);
  if (parent_) p.WndParent = parent_->Handle();
  CreateWindowHandle(p);
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
  for (TWinControl* c : controls_) c->Handle();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR(s_nextId++ & 0x7FFF)) : nullptr;
  SetLastError(0);
  if (p.SystemClass) {
    HWND w = CreateWindowExA(p.ExStyle, p.SystemClass, text_.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, id, instance, nullptr);
    if (!w) throw ELastError(GetLastError(), "ウィンドウを作成できません");
    handle_ = w;
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    defProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc)));
  } else {
    if (!RegisterWindowClass(p.WinClassName.c_str(), &StdWndProc, p.ClassStyle,
                             LoadIconA(nullptr, IDI_APPLICATION)))
      throw ELastError(GetLastError(), "ウィンドウクラスを登録できません - " + p.WinClassName);
    defProc_ = &DefWindowProcA;
    HWND w = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), text_.c_str(), p.Style, p.X, p.Y,
                             p.Width, p.Height, p.WndParent, id, instance, this);
    if (!w) throw ELastError(GetLastError(), "ウィンドウを作成できません");
  }
  UpdateBoundsFromWindow();
}

void TWinControl::Detach() {
  HWND w = handle_;
  handle_ = nullptr;
  if (!w) return;
  SetWindowLongPtrA(w, GWLP_USERDATA, 0);
  if (defProc_ != &DefWindowProcA)
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defProc_));
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
  if (!w) return nullptr;
  if (GetWindowLongPtrA(w, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&StdWndProc)) return nullptr;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(w, GWLP_USERDATA));
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self) {
      self->handle_ = w;
      SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(w, msg, wp, lp);
  LRESULT r = Dispatch(self, msg, wp, lp);
  if (msg == WM_NCDESTROY && self->handle_ == w) self->Detach();
  return r;
}

LRESULT TWinControl::Dispatch(TWinControl* self, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return self->WndProc(msg, wp, lp);
  } catch (...) {
    HandleCallbackException(self);
    return 0;
  }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM w, LPARAM l) {
  if (!handle_) return 0;
  if (msg >= CN_BASE && msg < CN_BASE + 0x400) return 0;
  return CallWindowProcA(defProc_, handle_, msg, w, l);
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
      if (defProc_ == &DefWindowProcA) {
        RECT r;
        GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, brush_.Handle());
        return 1;
      }
      break;
    case WM_SETFOCUS:
      FocusGained();
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

void TWinControl::FocusGained() {
  if (TCustomForm* form = ParentForm(); form && form != this) form->ActiveControlFocused(this);
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (parent_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_)
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  else if (sized)
    Resize();
  RequestAlign();
}

RECT TWinControl::ClientRect() {
  RECT r = {0, 0, width_, height_};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  RequestAlign();
}

void TWinControl::RequestAlign() {
  if (align_ != TAlign::None && parent_) parent_->AlignControls();
}

void TWinControl::Resize() { AlignControls(); }

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  RECT r = ClientRect();
  for (TAlign a : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
    for (TWinControl* c : controls_) {
      if (c->align_ != a || !c->visible_) continue;
      int w = c->width_, h = c->height_;
      switch (a) {
        case TAlign::Top:
          c->SetBounds(r.left, r.top, r.right - r.left, h);
          r.top += h;
          break;
        case TAlign::Bottom:
          c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
          r.bottom -= h;
          break;
        case TAlign::Left:
          c->SetBounds(r.left, r.top, w, r.bottom - r.top);
          r.left += w;
          break;
        case TAlign::Right:
          c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
          r.right -= w;
          break;
        default:
          c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
  aligning_ = false;
}

void TWinControl::SetVisible(bool v) {
  if (v == visible_ && (!v || handle_ || !parent_)) return;
  visible_ = v;
  if (handle_)
    ShowWindow(handle_, v ? SW_SHOW : SW_HIDE);
  else if (v && parent_ && parent_->HandleAllocated())
    Handle();
  RequestAlign();
}

bool TWinControl::Showing() const {
  for (const TWinControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TWinControl::SetEnabled(bool v) {
  enabled_ = v;
  if (handle_) EnableWindow(handle_, v);
}

std::string TWinControl::Text() {
  if (!handle_) return text_;
  int n = GetWindowTextLengthA(handle_);
  std::string s(std::size_t(n) + 1, '\0');
  n = GetWindowTextA(handle_, s.data(), n + 1);
  s.resize(std::size_t(n > 0 ? n : 0));
  return s;
}

void TWinControl::SetText(const std::string& text) {
  text_ = text;
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TWinControl::OnFontChange() {
  if (!syncing_) parentFont_ = false;
  FontChanged();
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
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

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  const auto& list = parent_->tabList_;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!parent_) return;
  auto& list = parent_->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, int(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool v) {
  if (v == tabStop_) return;
  tabStop_ = v;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, v ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TCustomForm* form = ParentForm();
  if (form && form != this) form->SetActiveControl(this);
  if (handle_ && IsWindowVisible(handle_)) ::SetFocus(handle_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::ChangeScale(int m, int d) {
  SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
  if (!parentFont_) Font.SetHeight(MulDiv(Font.Height(), m, d));
  ScaleControls(m, d);
}

void TWinControl::ScaleControls(int m, int d) {
  for (TWinControl* c : controls_) c->ChangeScale(m, d);
}
