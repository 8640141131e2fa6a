// Where a control lies: bounds kept in step with its window, alignment within the parent,
// visibility, enabling and scaling.
#include <windows.h>

#include "gui/WinControl.h"

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (parent_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
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

// Children first: one that stops taking its parent's font while it is scaled keeps the font
// as it was and scales it once, before the parent's font changes.
void TWinControl::ChangeScale(int m, int d) {
  ScaleControls(m, d);
  SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
  if (!parentFont_) Font.SetHeight(MulDiv(Font.Height(), m, d));
}

void TWinControl::ScaleControls(int m, int d) {
  for (TWinControl* c : controls_) c->ChangeScale(m, d);
}
