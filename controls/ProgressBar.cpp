#include "controls/ProgressBar.h"

#include <algorithm>
#include <limits>

#include "gen/TaskbarProgress.h"
#include "gen0/MulDiv64.h"

namespace {
// Int32 arithmetic on the bounds wraps as the original's did instead of being undefined.
std::int32_t Plus1(std::int32_t v) { return std::int32_t(std::uint32_t(v) + 1u); }

std::int32_t Saturate(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

std::wstring AsWide(const WideString& s) { return std::wstring(s.begin(), s.end()); }
}  // namespace

TLuProgressBar::TLuProgressBar(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 121, 25);
}

void TLuProgressBar::SetMax(std::int32_t v) {
  max_ = v;
  Recalculate();
}

void TLuProgressBar::SetMin(std::int32_t v) {
  min_ = v;
  Recalculate();
}

void TLuProgressBar::SetCaption(const std::string& text) {
  SetText(text);
  // With a window the text change arrives as WM_SETTEXT.
  if (!HandleAllocated()) TextChanged();
}

void TLuProgressBar::SetWideCaption(const WideString& text) {
  SetCaption("");
  wideCaption_ = text;
  showWide_ = true;
  Invalidate();
}

void TLuProgressBar::TextChanged() {
  showWide_ = false;
  wideCaption_.clear();
  Invalidate();
  if (!restoring_) Update();
}

void TLuProgressBar::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

void TLuProgressBar::SetBarColor(TColor c) {
  barColor_ = c;
  Invalidate();
}

void TLuProgressBar::SetBarTextColor(TColor c) {
  barTextColor_ = c;
  Invalidate();
}

void TLuProgressBar::Repaint() {
  Invalidate();
  Update();
}

int TLuProgressBar::RangeDepth() const {
  int n = 0;
  for (const TLuProgressBarSec* s = ranges_.get(); s; s = s->Next.get()) ++n;
  return n;
}

void TLuProgressBar::Recalculate() {
  if (min_ >= max_) max_ = Plus1(min_);
  position_ = std::clamp(position_, min_, max_);
  const std::int64_t span = std::int64_t(max_) - min_;
  denominator_ = span * rangeScale_;
  numerator_ = (std::int64_t(position_) - min_) * unitWeight_ + rangeOffset_ * span;
  ComputeBarEnd(false);
  Repaint();
}

void TLuProgressBar::MoveTo(std::int64_t v, bool repaintNow) {
  const std::int32_t p = std::int32_t(std::clamp<std::int64_t>(v, min_, max_));
  numerator_ += (std::int64_t(p) - position_) * unitWeight_;
  position_ = p;
  ComputeBarEnd(repaintNow);
}

// Rounded to the nearest pixel, the one rounding of the range arithmetic. Only a change of at
// least one pixel repaints.
void TLuProgressBar::ComputeBarEnd(bool repaintNow) {
  UpdateTaskbar();
  const std::int32_t w = innerRect_.right - innerRect_.left;
  const std::int32_t x = std::int32_t(
      innerRect_.left + MulAddDiv(numerator_, w, denominator_ / 2, denominator_));
  if (x == barEnd_) return;
  barEnd_ = x;
  Invalidate();
  if (repaintNow) Update();
}

void TLuProgressBar::SetTaskbarMirror(bool v) {
  taskbarMirror_ = v;
  UpdateTaskbar();
}

void TLuProgressBar::UpdateTaskbar() {
  if (taskbarMirror_) {
    if (!taskbarActive_) {
      TaskbarMirrorStart();
      taskbarActive_ = true;
    }
    TaskbarMirrorValue(numerator_, denominator_);
  } else if (taskbarActive_) {
    TaskbarMirrorStop();
    taskbarActive_ = false;
  }
}

void TLuProgressBar::PushRange(std::int32_t low, std::int32_t high) {
  const std::int32_t top = low < high ? high : Plus1(low);
  auto saved = std::make_unique<TLuProgressBarSec>();
  saved->Next = std::move(ranges_);
  saved->Step = step_;
  saved->Min = min_;
  saved->Max = max_;
  saved->Position = position_;
  saved->UnitWeight = unitWeight_;
  saved->RangeScale = rangeScale_;
  saved->RangeOffset = rangeOffset_;
  saved->Caption = Caption();
  saved->WideCaption = wideCaption_;
  saved->ShowWide = showWide_;
  ranges_ = std::move(saved);

  const std::int64_t span = std::int64_t(max_) - min_;
  rangeScale_ *= span;
  rangeOffset_ = rangeOffset_ * span + unitWeight_ * (std::int64_t(position_) - min_);
  unitWeight_ = step_;
  max_ = top;
  min_ = low;
  step_ = 1;
  position_ = low;
  // From now on the painting covers the whole client area by itself.
  brush_.SetStyle(TBrushStyle::Clear);
  Recalculate();
}

void TLuProgressBar::PopRange() {
  if (!ranges_) return;
  std::unique_ptr<TLuProgressBarSec> saved = std::move(ranges_);
  restoring_ = true;
  max_ = saved->Max;
  min_ = saved->Min;
  step_ = saved->Step;
  // A closed range counts as one step of its parent.
  position_ = Saturate(std::int64_t(saved->Position) + saved->Step);
  unitWeight_ = saved->UnitWeight;
  if (Caption() != saved->Caption) SetCaption(saved->Caption);
  if (wideCaption_ != saved->WideCaption || showWide_ != saved->ShowWide) {
    wideCaption_ = saved->WideCaption;
    showWide_ = saved->ShowWide;
    Invalidate();
  }
  rangeScale_ = saved->RangeScale;
  rangeOffset_ = saved->RangeOffset;
  restoring_ = false;
  ranges_ = std::move(saved->Next);
}

void TLuProgressBar::ResetBar() {
  while (ranges_) PopRange();
  position_ = min_;
  step_ = 1;
  rangeScale_ = 1;
  rangeOffset_ = 0;
  Recalculate();
}

void TLuProgressBar::Resize() {
  TCustomControl::Resize();
  innerRect_ = ClientRect();
  innerRect_.left += 3;
  innerRect_.top += 3;
  innerRect_.right -= 2;
  innerRect_.bottom -= 2;
  ComputeBarEnd(false);
}

LRESULT TLuProgressBar::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_SETTEXT) {
    LRESULT r = TCustomControl::WndProc(msg, w, l);
    TextChanged();
    return r;
  }
  return TCustomControl::WndProc(msg, w, l);
}

// Five nested edge pairs, each drawn one pixel inside the last: r ends as the inner rectangle.
void TLuProgressBar::DrawFrame(RECT& r) {
  auto bottomRight = [&](TColor c) {
    Canvas.Brush.SetColor(c);
    Canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom});
    Canvas.FillRect({r.right - 1, r.top, r.right, r.bottom});
    --r.right;
    --r.bottom;
  };
  auto topLeft = [&](TColor c) {
    Canvas.Brush.SetColor(c);
    Canvas.FillRect({r.left, r.top, r.right, r.top + 1});
    Canvas.FillRect({r.left, r.top, r.left + 1, r.bottom});
    ++r.left;
    ++r.top;
  };
  bottomRight(Color());
  topLeft(Color());
  topLeft(SystemColor(COLOR_3DDKSHADOW));
  bottomRight(SystemColor(COLOR_BTNHIGHLIGHT));
  topLeft(clBlack);
}

void TLuProgressBar::DrawCaption(const RECT& clip, int x, int y) {
  if (showWide_)
    Canvas.TextRectW(clip, x, y, AsWide(wideCaption_));
  else
    Canvas.TextRect(clip, x, y, Caption());
}

// The two opaque text calls paint the filled and the unfilled part; nothing else fills them.
void TLuProgressBar::Paint() {
  RECT r = ClientRect();
  DrawFrame(r);
  Canvas.Font.Assign(Font);
  Canvas.Font.SetColor(barTextColor_);
  Canvas.Brush.SetColor(barColor_);
  const SIZE size =
      showWide_ ? Canvas.TextExtentW(AsWide(wideCaption_)) : Canvas.TextExtent(Caption());
  int x = r.left + 2;
  if (alignment_ == TAlignment::RightJustify) x = r.right - 2 - size.cx;
  if (alignment_ == TAlignment::Center) x = (r.left + r.right - size.cx) / 2;
  const int y = (r.top + r.bottom - size.cy) / 2;
  const int split = std::clamp<int>(barEnd_, r.left, r.right);
  DrawCaption({r.left, r.top, split, r.bottom}, x, y);
  Canvas.Font.SetColor(Font.Color());
  Canvas.Brush.SetColor(Color());
  DrawCaption({split, r.top, r.right, r.bottom}, x, y);
}
