#include "gui/Image.h"

#include "gen0/GenError.h"

TImage::TImage(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetBitmap(HBITMAP bitmap) {
  bitmap_.Reset(bitmap);
  Invalidate();
}

void TImage::LoadFromResource(const char* name) {
  HBITMAP b = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!b) throw ELastError(GetLastError(), std::string("ビットマップを読み込めません - ") + name);
  SetBitmap(b);
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}

LRESULT TImage::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    Paint(dc);
    EndPaint(Handle(), &ps);
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

void TImage::Paint(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, brush_.Handle());
  if (!bitmap_) return;
  BITMAP bm = {};
  GetObjectA(bitmap_.Get(), sizeof bm, &bm);
  int x = center_ ? (r.right - bm.bmWidth) / 2 : 0;
  int y = center_ ? (r.bottom - bm.bmHeight) / 2 : 0;
  DrawBitmap(dc, x, y, bitmap_.Get(), 0, bm.bmWidth, bm.bmHeight, transparent_);
}
