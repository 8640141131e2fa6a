#include "gui/Label.h"

#include "gui/GdiObject.h"

TLabel::TLabel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "STATIC";
  p.Style |= SS_NOPREFIX | (wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP);
  if (transparent_) p.ExStyle |= WS_EX_TRANSPARENT;
}

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustSize();
}

void TLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  StyleChanged();
  AdjustSize();
}

void TLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  StyleChanged();
}

void TLabel::SetCaption(const std::string& text) {
  SetText(text);
  AdjustSize();
  Invalidate();
}

void TLabel::FontChanged() {
  TWinControl::FontChanged();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!autoSize_ || Loading()) return;
  WindowDC screen(nullptr);
  SelectedObject font(screen.Get(), Font.Handle());
  std::string text = Text();
  RECT r = {0, 0, wordWrap_ ? Width() : 0, 0};
  DrawTextA(screen.Get(), text.empty() ? " " : text.c_str(), text.empty() ? 1 : int(text.size()),
            &r, DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
  SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

HBRUSH TLabel::CtlColor(HDC dc) {
  if (!transparent_) return TWinControl::CtlColor(dc);
  SetTextColor(dc, ColorToRGB(Font.Color()));
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT TLabel::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // A transparent label leaves its background to the parent, which has painted it already.
  if (msg == WM_ERASEBKGND && transparent_) return 1;
  return TWinControl::WndProc(msg, w, l);
}
