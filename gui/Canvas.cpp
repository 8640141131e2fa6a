#include "gui/Canvas.h"

TCanvas::TCanvas() { Brush.SetColor(clWhite); }

TCanvas::~TCanvas() { Restore(); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Restore();
  dc_ = dc;
}

void TCanvas::Restore() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::UseFont() {
  HGDIOBJ old = SelectObject(dc_, Font.Handle());
  if (!oldFont_) oldFont_ = old;
  SetTextColor(dc_, ColorToRGB(Font.Color()));
}

void TCanvas::UseBrush() {
  HGDIOBJ old = SelectObject(dc_, Brush.Handle());
  if (!oldBrush_) oldBrush_ = old;
  if (Brush.Style() == TBrushStyle::Clear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Brush.Color()));
  }
}

void TCanvas::UsePen() {
  HGDIOBJ old = SelectObject(dc_, Pen.Handle());
  if (!oldPen_) oldPen_ = old;
}

SIZE TCanvas::TextExtent(const std::string& s) {
  SIZE size = {0, 0};
  if (!dc_) return size;
  UseFont();
  GetTextExtentPoint32A(dc_, s.c_str(), int(s.size()), &size);
  return size;
}

SIZE TCanvas::TextExtentW(const std::wstring& s) {
  SIZE size = {0, 0};
  if (!dc_) return size;
  UseFont();
  GetTextExtentPoint32W(dc_, s.c_str(), int(s.size()), &size);
  return size;
}

void TCanvas::TextOut(int x, int y, const std::string& s) {
  UseFont();
  UseBrush();
  ::TextOutA(dc_, x, y, s.c_str(), int(s.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& s) {
  UseFont();
  UseBrush();
  UINT options = ETO_CLIPPED;
  if (Brush.Style() != TBrushStyle::Clear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, &r, s.c_str(), UINT(s.size()), nullptr);
}

void TCanvas::TextRectW(const RECT& r, int x, int y, const std::wstring& s) {
  UseFont();
  UseBrush();
  UINT options = ETO_CLIPPED;
  if (Brush.Style() != TBrushStyle::Clear) options |= ETO_OPAQUE;
  ExtTextOutW(dc_, x, y, options, &r, s.c_str(), UINT(s.size()), nullptr);
}

int TCanvas::DrawText(const std::string& s, RECT& r, UINT format) {
  UseFont();
  SetBkMode(dc_, TRANSPARENT);
  return ::DrawTextA(dc_, s.c_str(), int(s.size()), &r, format);
}

void TCanvas::FillRect(const RECT& r) {
  if (Brush.Style() == TBrushStyle::Clear) return;
  ::FillRect(dc_, &r, Brush.Handle());
}

void TCanvas::FrameRect(const RECT& r) { ::FrameRect(dc_, &r, Brush.Handle()); }

void TCanvas::Rectangle(const RECT& r) {
  UsePen();
  UseBrush();
  ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  UsePen();
  ::LineTo(dc_, x, y);
}

void TCanvas::Frame3D(const RECT& r, TEdge edge, UINT sides) {
  static const UINT kinds[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
  RECT copy = r;
  DrawEdge(dc_, &copy, kinds[int(edge)], sides);
}
