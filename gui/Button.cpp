#include "gui/Button.h"

#include "gui/Canvas.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (TCustomForm* form = ParentForm()) form->ModalResult = ModalResult;
  TWinControl::Click();
}

LRESULT TButton::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == CN_COMMAND && HIWORD(w) == BN_CLICKED) {
    Click();
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(HBITMAP glyph, int numGlyphs) {
  glyph_.Reset(glyph);
  numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
  Invalidate();
}

LRESULT TBitBtn::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    return TRUE;
  }
  return TButton::WndProc(msg, w, l);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& d) {
  RECT r = d.rcItem;
  bool pushed = (d.itemState & ODS_SELECTED) != 0;
  bool disabled = (d.itemState & ODS_DISABLED) != 0;
  bool focused = (d.itemState & ODS_FOCUS) != 0;
  if (Default() || focused) {
    // The default button's extra black frame, as the system draws it.
    FrameRect(d.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  TCanvas canvas;
  canvas.SetHandle(d.hDC);
  canvas.Font.Assign(Font);
  if (disabled) canvas.Font.SetColor(clGray);
  std::string text = Text();
  SIZE ts = canvas.TextExtent(text);
  int gw = 0, gh = 0;
  BITMAP bm = {};
  if (glyph_ && GetObjectA(glyph_.Get(), sizeof bm, &bm)) {
    gw = bm.bmWidth / numGlyphs_;
    gh = bm.bmHeight;
  }
  int total = gw + (gw && !text.empty() ? Spacing : 0) + ts.cx;
  int x = (r.left + r.right - total) / 2 + (pushed ? 1 : 0);
  int y = (r.top + r.bottom) / 2 + (pushed ? 1 : 0);
  if (gw) {
    int index = disabled && numGlyphs_ > 1 ? 1 : 0;
    DrawBitmap(d.hDC, x, y - gh / 2, glyph_.Get(), index * gw, gw, gh, true);
    x += gw + Spacing;
  }
  canvas.Brush.SetStyle(TBrushStyle::Clear);
  canvas.TextOut(x, y - ts.cy / 2, text);
  canvas.SetHandle(nullptr);
  if (focused) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(d.hDC, &fr);
  }
}
