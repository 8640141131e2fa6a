// Colours, fonts, brushes and pens of the toolkit. A colour is an RGB value or a system colour
// (0x80000000 | COLOR_xxx); GDI objects are made when first asked for and remade after a change.
// OnChange runs after a change and before the replaced GDI object is freed, so that whoever
// has it selected or set can let go of it first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "gui/GdiObject.h"

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clNavy = 0x800000,
                        clWhite = 0xFFFFFF, clRed = 0x0000FF, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clBlue = 0xFF0000;
inline constexpr TColor SystemColor(int index) { return TColor(0x80000000u | unsigned(index)); }
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE),
                        clWindow = SystemColor(COLOR_WINDOW),
                        clWindowText = SystemColor(COLOR_WINDOWTEXT),
                        clBtnText = SystemColor(COLOR_BTNTEXT),
                        clHighlight = SystemColor(COLOR_HIGHLIGHT),
                        clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT),
                        clInfoBk = SystemColor(COLOR_INFOBK),
                        clBtnShadow = SystemColor(COLOR_BTNSHADOW),
                        clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);

COLORREF ColorToRGB(TColor c);

// Copies width x height pixels of bitmap, from column srcX, to x, y on dc; with transparent set,
// pixels in the colour of the bitmap's bottom-left pixel are left out, as the program's glyphs
// and pictures expect.
void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int width, int height,
                bool transparent);

// Font styles, combinable.
enum : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// What a form table says of a font: height in pixels at 96 dpi (negative: character height).
struct TFontDesc {
  std::string Name = "ＭＳ Ｐゴシック";
  int Height = -12;
  TColor Color = clWindowText;
  std::uint8_t Style = 0;
  std::uint8_t Charset = SHIFTJIS_CHARSET;
  bool operator==(const TFontDesc&) const = default;
};

// What a GDI font (a stock font, say) is, as a description.
TFontDesc FontDescOf(HFONT font);

class TFont {
 public:
  TFont() = default;
  explicit TFont(const TFontDesc& d) : desc_(d) {}
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const TFontDesc& Desc() const { return desc_; }
  const std::string& Name() const { return desc_.Name; }
  int Height() const { return desc_.Height; }
  TColor Color() const { return desc_.Color; }
  std::uint8_t Style() const { return desc_.Style; }

  void Assign(const TFont& f) { Set(f.desc_); }
  void Set(const TFontDesc& d);
  void SetName(const std::string& n);
  void SetHeight(int h);
  void SetColor(TColor c);
  void SetStyle(std::uint8_t s);

  HFONT Handle();
  std::function<void()> OnChange;

 private:
  // A colour change keeps the GDI object: colour is no part of a LOGFONT.
  void Changed(bool remake);

  TFontDesc desc_;
  GdiObject<HFONT> handle_;
};

enum class TBrushStyle { Solid, Clear };

class TBrush {
 public:
  TColor Color() const { return color_; }
  TBrushStyle Style() const { return style_; }
  void SetColor(TColor c);
  void SetStyle(TBrushStyle s) { style_ = s; }
  HBRUSH Handle();
  std::function<void()> OnChange;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::Solid;
  GdiObject<HBRUSH> handle_;
};

class TPen {
 public:
  TColor Color() const { return color_; }
  int Width() const { return width_; }
  void SetColor(TColor c);
  void SetWidth(int w);
  HPEN Handle();
  std::function<void()> OnChange;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  GdiObject<HPEN> handle_;
};
