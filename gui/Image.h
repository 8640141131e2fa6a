// A picture: shows a bitmap or an icon, optionally centred; a bitmap's bottom-left pixel's
// colour may be transparent over the parent's colour.
#pragma once

#include "gui/GdiObject.h"
#include "gui/WinControl.h"

class TImage : public TWinControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override { FreeIcon(); }
  std::string ClassName() const override { return "TImage"; }

  // Takes ownership of the bitmap.
  void SetBitmap(HBITMAP bitmap);
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  // A bitmap resource of the program.
  void LoadFromResource(const char* name);
  // Shows icon instead of the bitmap; a system icon (LoadIcon) is shared and never freed.
  void SetIcon(HICON icon, bool shared);
  HICON Icon() const { return icon_; }

  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void Paint(HDC dc);

  void FreeIcon();

  GdiObject<HBITMAP> bitmap_;
  HICON icon_ = nullptr;
  bool iconShared_ = true;
  bool center_ = false;
  bool transparent_ = false;
};
