#include "controls/Capacity.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "gui/ScreenCanvas.h"
#include "gui/WinControl.h"

namespace {
// The largest n for which n copies of ch are at most width wide. A glyph without width would
// fit any number of times; one pixel per character bounds the count.
int CountFitting(TCanvas& canvas, const std::string& ch, int width) {
  int n = 0;
  std::string text;
  while (n < width) {
    text += ch;
    if (canvas.TextWidth(text) > width) break;
    ++n;
  }
  return n;
}
}  // namespace

TCapacity MeasureCapacity(const TFont& font, int width) {
  TScreenCanvas canvas;
  if (!canvas.Handle()) return {};
  canvas.Font.Assign(font);
  return {CountFitting(canvas, "9", width), CountFitting(canvas, "全", width)};
}

void TCapacityKeeper::Measure() {
  counts_ = {};
  if (!Off && control_.HandleAllocated()) counts_ = MeasureCapacity(control_.Font, width_());
}

void TCapacityKeeper::Remeasure() {
  if (!control_.Loading() && control_.HandleAllocated() && depth_ == 0) Measure();
}

void TCapacityKeeper::Rescale(int m, int d, const std::function<void()>& scale) {
  // The counts must exist to be kept.
  if (m != d && !control_.HandleAllocated() && depth_ == 0 && control_.Parent())
    control_.Handle();
  const TCapacity before = counts_;
  // Its own copy of the parent's font from here on, scaled with it and shrunk below.
  if (m != d && control_.ParentFont()) control_.SetParentFont(false);
  ++depth_;
  try {
    scale();
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
  if (m == d || depth_ != 0 || Off || !control_.HandleAllocated()) return;
  Measure();
  while (counts_.Digits < before.Digits || counts_.Wide < before.Wide) {
    int height = std::abs(control_.Font.Height());
    if (height < 5) return;
    // A positive height is the cell height of the font.
    control_.Font.SetHeight(height - 1);
    Measure();
  }
}
