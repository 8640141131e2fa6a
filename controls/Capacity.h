// How many characters fit into a control's width, and scaling that keeps that number: a
// control whose scaled font holds fewer digits or full-width characters than before shrinks
// its font step by step until they fit again.
#pragma once

#include <functional>
#include <utility>

class TFont;
class TWinControl;

struct TCapacity {
  int Digits = 0;  // "9" side by side
  int Wide = 0;    // full-width "全" side by side
};

// The counts for width pixels in font, measured on the screen's device context.
TCapacity MeasureCapacity(const TFont& font, int width);

// The counts a control keeps and its scaling depth. The control tells it when its window,
// font or size changed, and scales through Rescale.
class TCapacityKeeper {
 public:
  // width: the width the control offers its text (client width, formatting rectangle).
  TCapacityKeeper(TWinControl& control, std::function<int()> width)
      : control_(control), width_(std::move(width)) {}

  // No measuring: the counts stay 0 and scaling shrinks no font.
  bool Off = false;

  int DigitCapacity() const { return counts_.Digits; }
  int WideCapacity() const { return counts_.Wide; }
  // Above 0 while the control is being rescaled.
  int ScaleDepth() const { return depth_; }

  // Fills both counts; 0 without a window.
  void Measure();
  // Measures unless the control is loading, has no window or is being rescaled: after the
  // window is made, the font changes or the size changes.
  void Remeasure();
  // Scales the control by m / d through scale (the toolkit's scaling of it), then shrinks its
  // font until neither count is below its value before, or the font is at height 4.
  void Rescale(int m, int d, const std::function<void()>& scale);

 private:
  TWinControl& control_;
  std::function<int()> width_;
  TCapacity counts_;
  int depth_ = 0;
};
