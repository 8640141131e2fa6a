#include "gui/Image.h"

#include "gen0/GenError.h"

TImage::TImage(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetBitmap(HBITMAP bitmap) {
  FreeIcon();
  bitmap_.Reset(bitmap);
  Invalidate();
}

void TImage::SetIcon(HICON icon, bool shared) {
  FreeIcon();
  bitmap_.Reset();
  icon_ = icon;
  iconShared_ = shared;
  Invalidate();
}

void TImage::FreeIcon() {
  HICON icon = icon_;
  icon_ = nullptr;
  if (icon && !iconShared_) DestroyIcon(icon);
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
  if (icon_) {
    int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    DrawIconEx(dc, center_ ? (r.right - w) / 2 : 0, center_ ? (r.bottom - h) / 2 : 0, icon_, w, h,
               0, nullptr, DI_NORMAL);
    return;
  }
  if (!bitmap_) return;
  BITMAP bm = {};
  GetObjectA(bitmap_.Get(), sizeof bm, &bm);
  int x = center_ ? (r.right - bm.bmWidth) / 2 : 0;
  int y = center_ ? (r.bottom - bm.bmHeight) / 2 : 0;
  DrawBitmap(dc, x, y, bitmap_.Get(), 0, bm.bmWidth, bm.bmHeight, transparent_);
}
