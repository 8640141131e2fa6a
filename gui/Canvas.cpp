#include "gui/Canvas.h"

TCanvas::TCanvas() {
  Brush.SetColor(clWhite);
  // A changed object is made anew and the old one freed: it must not be in the DC then.
  Font.OnChange = [this] { Deselect(font_); };
  Brush.OnChange = [this] { Deselect(brush_); };
  Pen.OnChange = [this] { Deselect(pen_); };
}

TCanvas::~TCanvas() {
  Restore();
  Font.OnChange = nullptr;
  Brush.OnChange = nullptr;
  Pen.OnChange = nullptr;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Restore();
  dc_ = dc;
}

bool TCanvas::RequireHandle() {
  if (!dc_) CreateHandle();
  return dc_ != nullptr;
}

void TCanvas::Select(Selection& s, HGDIOBJ obj) {
  if (s.current == obj) return;
  HGDIOBJ old = SelectObject(dc_, obj);
  if (!s.original) s.original = old;
  s.current = obj;
}

void TCanvas::Deselect(Selection& s) {
  if (dc_ && s.original) SelectObject(dc_, s.original);
  s = Selection();
}

void TCanvas::Restore() {
  Deselect(font_);
  Deselect(brush_);
  Deselect(pen_);
}

void TCanvas::UseFont() {
  Select(font_, Font.Handle());
  SetTextColor(dc_, ColorToRGB(Font.Color()));
}

void TCanvas::UseBrush() {
  Select(brush_, Brush.Handle());
  if (Brush.Style() == TBrushStyle::Clear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Brush.Color()));
  }
}

void TCanvas::UsePen() { Select(pen_, Pen.Handle()); }

SIZE TCanvas::TextExtent(const std::string& s) {
  SIZE size = {0, 0};
  if (!RequireHandle()) return size;
  UseFont();
  GetTextExtentPoint32A(dc_, s.c_str(), int(s.size()), &size);
  return size;
}

SIZE TCanvas::TextExtentW(const std::wstring& s) {
  SIZE size = {0, 0};
  if (!RequireHandle()) return size;
  UseFont();
  GetTextExtentPoint32W(dc_, s.c_str(), int(s.size()), &size);
  return size;
}

void TCanvas::TextOut(int x, int y, const std::string& s) {
  if (!RequireHandle()) return;
  UseFont();
  UseBrush();
  ::TextOutA(dc_, x, y, s.c_str(), int(s.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& s) {
  if (!RequireHandle()) return;
  UseFont();
  UseBrush();
  UINT options = ETO_CLIPPED;
  if (Brush.Style() != TBrushStyle::Clear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, &r, s.c_str(), UINT(s.size()), nullptr);
}

void TCanvas::TextRectW(const RECT& r, int x, int y, const std::wstring& s) {
  if (!RequireHandle()) return;
  UseFont();
  UseBrush();
  UINT options = ETO_CLIPPED;
  if (Brush.Style() != TBrushStyle::Clear) options |= ETO_OPAQUE;
  ExtTextOutW(dc_, x, y, options, &r, s.c_str(), UINT(s.size()), nullptr);
}

int TCanvas::DrawText(const std::string& s, RECT& r, UINT format) {
  if (!RequireHandle()) return 0;
  UseFont();
  SetBkMode(dc_, TRANSPARENT);
  return ::DrawTextA(dc_, s.c_str(), int(s.size()), &r, format);
}

void TCanvas::FillRect(const RECT& r) {
  if (Brush.Style() == TBrushStyle::Clear || !RequireHandle()) return;
  ::FillRect(dc_, &r, Brush.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  if (RequireHandle()) ::FrameRect(dc_, &r, Brush.Handle());
}

void TCanvas::Rectangle(const RECT& r) {
  if (!RequireHandle()) return;
  UsePen();
  UseBrush();
  ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (RequireHandle()) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  if (!RequireHandle()) return;
  UsePen();
  ::LineTo(dc_, x, y);
}

void TCanvas::Frame3D(const RECT& r, TEdge edge, UINT sides) {
  static const UINT kinds[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
  if (!RequireHandle()) return;
  RECT copy = r;
  DrawEdge(dc_, &copy, kinds[int(edge)], sides);
}
