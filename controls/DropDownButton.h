// The drop-down button of the edit field and of the floating button: drawn like the system's
// combo-box arrow button, in eight colours of its own.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "gui/Graphics.h"

// The button's colours; OnChange runs after each change.
class TLuDropDownColors {
 public:
  TLuDropDownColors() = default;
  TLuDropDownColors(const TLuDropDownColors&) = delete;
  TLuDropDownColors& operator=(const TLuDropDownColors&) = delete;

  TColor FrameWhite() const { return c_[0]; }
  TColor FrameDkGray() const { return c_[1]; }
  TColor FrameGray() const { return c_[2]; }
  TColor FrameBlack() const { return c_[3]; }
  TColor GrayText() const { return c_[4]; }
  TColor GrayTextShadow() const { return c_[5]; }
  TColor BtnText() const { return c_[6]; }
  TColor BtnFace() const { return c_[7]; }
  void SetFrameWhite(TColor c) { Set(0, c); }
  void SetFrameDkGray(TColor c) { Set(1, c); }
  void SetFrameGray(TColor c) { Set(2, c); }
  void SetFrameBlack(TColor c) { Set(3, c); }
  void SetGrayText(TColor c) { Set(4, c); }
  void SetGrayTextShadow(TColor c) { Set(5, c); }
  void SetBtnText(TColor c) { Set(6, c); }
  void SetBtnFace(TColor c) { Set(7, c); }
  // Copies all eight, then one OnChange.
  void Assign(const TLuDropDownColors& other);

  std::function<void()> OnChange;

 private:
  void Set(std::size_t i, TColor c);

  std::array<TColor, 8> c_ = {clBtnHighlight, clBtnShadow,    clBtnFace, SystemColor(COLOR_WINDOWFRAME),
                              SystemColor(COLOR_GRAYTEXT), clBtnHighlight, clBtnText, clBtnFace};
};

enum class TDropDownButtonState { Normal, Pressed, Inactive };

// Pressed: flat, the arrow one pixel down and right. Inactive: the arrow etched in GrayText over
// GrayTextShadow.
void DrawDropDownButton(HDC dc, const RECT& r, const TLuDropDownColors& colors,
                        TDropDownButtonState state);
