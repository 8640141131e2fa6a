#include "controls/DropDownButton.h"

#include <algorithm>

void TLuDropDownColors::Set(std::size_t i, TColor c) {
  c_[i] = c;
  if (OnChange) OnChange();
}

void TLuDropDownColors::Assign(const TLuDropDownColors& other) {
  c_ = other.c_;
  if (OnChange) OnChange();
}

namespace {
void Fill(HDC dc, const RECT& r, TColor c) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(c));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Top and left edge in one colour, bottom and right in another, one pixel wide.
void Edge(HDC dc, const RECT& r, TColor topLeft, TColor bottomRight) {
  Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

// A downward triangle centred in r, as wide as a third of the narrower side allows.
void Arrow(HDC dc, const RECT& r, int dx, int dy, TColor c) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int half = std::max(1, std::min(w, h * 2) / 4);
  int left = r.left + (w - (2 * half + 1)) / 2 + dx;
  int top = r.top + (h - (half + 1)) / 2 + dy;
  for (int row = 0; row <= half; ++row)
    Fill(dc, {left + row, top + row, left + 2 * half + 1 - row, top + row + 1}, c);
}
}  // namespace

void DrawDropDownButton(HDC dc, const RECT& r, const TLuDropDownColors& colors,
                        TDropDownButtonState state) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  RECT inner = r;
  if (state == TDropDownButtonState::Pressed) {
    Edge(dc, r, colors.FrameDkGray(), colors.FrameDkGray());
    InflateRect(&inner, -1, -1);
  } else {
    Edge(dc, r, colors.FrameGray(), colors.FrameBlack());
    InflateRect(&inner, -1, -1);
    Edge(dc, inner, colors.FrameWhite(), colors.FrameDkGray());
    InflateRect(&inner, -1, -1);
  }
  Fill(dc, inner, colors.BtnFace());
  RECT face = r;
  InflateRect(&face, -2, -2);
  switch (state) {
    case TDropDownButtonState::Normal:
      Arrow(dc, face, 0, 0, colors.BtnText());
      break;
    case TDropDownButtonState::Pressed:
      Arrow(dc, face, 1, 1, colors.BtnText());
      break;
    case TDropDownButtonState::Inactive:
      Arrow(dc, face, 1, 1, colors.GrayTextShadow());
      Arrow(dc, face, 0, 0, colors.GrayText());
      break;
  }
}
