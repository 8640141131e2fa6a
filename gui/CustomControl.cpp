#include "gui/CustomControl.h"

LRESULT TCustomControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    struct EndOnExit {
      HWND w;
      PAINTSTRUCT* ps;
      TCanvas* canvas;
      ~EndOnExit() {
        canvas->SetHandle(nullptr);
        EndPaint(w, ps);
      }
    } end{Handle(), &ps, &Canvas};
    Canvas.SetHandle(dc);
    Canvas.Font.Assign(Font);
    Canvas.Brush.SetStyle(TBrushStyle::Solid);
    Canvas.Brush.SetColor(Color());
    Paint();
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevel b) {
  bevelOuter_ = b;
  Invalidate();
}

void TPanel::Paint() {
  RECT r = ClientRect();
  Canvas.FillRect(r);
  if (bevelOuter_ != TBevel::None) {
    RECT edge = r;
    DrawEdge(Canvas.Handle(), &edge,
             bevelOuter_ == TBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  }
  std::string text = Text();
  if (!text.empty()) Canvas.DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
