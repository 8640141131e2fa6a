#include "gui/Graphics.h"

#include <cstring>

COLORREF ColorToRGB(TColor c) {
  if (c < 0) return GetSysColor(c & 0xFF);
  return COLORREF(c);
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int width, int height,
                bool transparent) {
  MemoryDC mem(dc);
  SelectedObject sel(mem.Get(), bitmap);
  if (!transparent) {
    BitBlt(dc, x, y, width, height, mem.Get(), srcX, 0, SRCCOPY);
    return;
  }
  BITMAP bm = {};
  GetObjectA(bitmap, sizeof bm, &bm);
  COLORREF key = GetPixel(mem.Get(), 0, bm.bmHeight - 1);
  // From gdi32 itself: msimg32 is no known DLL and would be looked for beside the program.
  GdiTransparentBlt(dc, x, y, width, height, mem.Get(), srcX, 0, width, height, key);
}

void TFont::Set(const TFontDesc& d) {
  if (d == desc_) return;
  TFontDesc recoloured = desc_;
  recoloured.Color = d.Color;
  bool remake = !(recoloured == d);
  desc_ = d;
  Changed(remake);
}
void TFont::SetName(const std::string& n) {
  if (n == desc_.Name) return;
  desc_.Name = n;
  Changed(true);
}
void TFont::SetHeight(int h) {
  if (h == desc_.Height) return;
  desc_.Height = h;
  Changed(true);
}
void TFont::SetColor(TColor c) {
  if (c == desc_.Color) return;
  desc_.Color = c;
  Changed(false);
}
void TFont::SetStyle(std::uint8_t s) {
  if (s == desc_.Style) return;
  desc_.Style = s;
  Changed(true);
}

void TFont::Changed(bool remake) {
  GdiObject<HFONT> old;
  if (remake) old = std::move(handle_);
  if (OnChange) OnChange();
}

TFontDesc FontDescOf(HFONT font) {
  LOGFONTA lf = {};
  TFontDesc d;
  if (!GetObjectA(font, sizeof lf, &lf)) return d;
  d.Name = lf.lfFaceName;
  d.Height = lf.lfHeight;
  d.Style = std::uint8_t((lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
                         (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0));
  d.Charset = lf.lfCharSet;
  return d;
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTA lf = {};
    lf.lfHeight = desc_.Height;
    lf.lfWeight = (desc_.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (desc_.Style & fsItalic) != 0;
    lf.lfUnderline = (desc_.Style & fsUnderline) != 0;
    lf.lfStrikeOut = (desc_.Style & fsStrikeOut) != 0;
    lf.lfCharSet = desc_.Charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, desc_.Name.c_str(), LF_FACESIZE - 1);
    handle_.Reset(CreateFontIndirectA(&lf));
  }
  return handle_.Get();
}

void TBrush::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  GdiObject<HBRUSH> old = std::move(handle_);
  if (OnChange) OnChange();
}

HBRUSH TBrush::Handle() {
  if (style_ == TBrushStyle::Clear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
  return handle_.Get();
}

void TPen::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  GdiObject<HPEN> old = std::move(handle_);
  if (OnChange) OnChange();
}
void TPen::SetWidth(int w) {
  if (w == width_) return;
  width_ = w;
  GdiObject<HPEN> old = std::move(handle_);
  if (OnChange) OnChange();
}

HPEN TPen::Handle() {
  if (!handle_) handle_.Reset(CreatePen(PS_SOLID, width_, ColorToRGB(color_)));
  return handle_.Get();
}
