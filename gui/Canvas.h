// Drawing on a device context with the toolkit's font, brush and pen. The canvas selects its
// objects into the DC as it draws; before one of them is changed (and its GDI object freed) it
// puts the DC's original back, and it puts all originals back when the DC is released.
#pragma once

#include <windows.h>

#include <string>

#include "gui/Graphics.h"

// Edges of DrawEdge's frame.
enum class TEdge { Raised, Sunken, Etched, Bump };

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  // Starts drawing on dc (null ends it); the DC stays the caller's.
  void SetHandle(HDC dc);

  TFont Font;
  TBrush Brush;
  TPen Pen;

  SIZE TextExtent(const std::string& s);
  int TextWidth(const std::string& s) { return TextExtent(s).cx; }
  int TextHeight(const std::string& s) { return TextExtent(s).cy; }
  SIZE TextExtentW(const std::wstring& s);

  void TextOut(int x, int y, const std::string& s);
  // Text at x, y clipped to r; the brush fills r first unless it is clear.
  void TextRect(const RECT& r, int x, int y, const std::string& s);
  void TextRectW(const RECT& r, int x, int y, const std::wstring& s);
  // DrawTextA with the given DT_ flags in the canvas font, transparent.
  int DrawText(const std::string& s, RECT& r, UINT format);

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(const RECT& r);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Frame3D(const RECT& r, TEdge edge, UINT sides = BF_RECT);

 protected:
  // Called when a drawing call finds no DC; a canvas of a window gets its DC here.
  virtual void CreateHandle() {}
  bool RequireHandle();

 private:
  // One object kind selected into the DC: the DC's own object to put back.
  struct Selection {
    HGDIOBJ original = nullptr;
    HGDIOBJ current = nullptr;
  };
  void Select(Selection& s, HGDIOBJ obj);
  void Deselect(Selection& s);
  void UseFont();
  void UseBrush();
  void UsePen();
  void Restore();

  HDC dc_ = nullptr;
  Selection font_, brush_, pen_;
};
