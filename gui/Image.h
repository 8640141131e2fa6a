// A picture: shows a bitmap, optionally centred and with its bottom-left pixel's colour
// transparent over the parent's colour.
#pragma once

#include "gui/GdiObject.h"
#include "gui/WinControl.h"

class TImage : public TWinControl {
 public:
  explicit TImage(TComponent* owner);
  std::string ClassName() const override { return "TImage"; }

  // Takes ownership of the bitmap.
  void SetBitmap(HBITMAP bitmap);
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  // A bitmap resource of the program.
  void LoadFromResource(const char* name);

  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void Paint(HDC dc);

  GdiObject<HBITMAP> bitmap_;
  bool center_ = false;
  bool transparent_ = false;
};
