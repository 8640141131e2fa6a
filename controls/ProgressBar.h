// The in-house progress bar: nested ranges mapped onto one bar in 64-bit fractions, the caption
// drawn inside the bar in two colour pairs split where the filled part ends, and the fraction
// mirrored onto the application's taskbar button.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gen0/GenError.h"
#include "gui/CustomControl.h"
#include "gui/Edit.h"

// One enclosing range, saved while a nested range is open.
struct TLuProgressBarSec {
  std::unique_ptr<TLuProgressBarSec> Next;
  std::int32_t Step = 1, Min = 0, Max = 1, Position = 0;
  std::int64_t UnitWeight = 1, RangeScale = 1, RangeOffset = 0;
  std::string Caption;
  WideString WideCaption;
  bool ShowWide = false;
};

class TLuProgressBar : public TCustomControl {
 public:
  explicit TLuProgressBar(TComponent* owner);
  std::string ClassName() const override { return "TLuProgressBar"; }

  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t v);
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t v);
  std::int32_t Position() const { return position_; }
  // Clamped into [Min, Max]; repaints at once.
  void SetPosition(std::int32_t v) { MoveTo(v, true); }
  std::int32_t Step() const { return step_; }
  void SetStep(std::int32_t v) { step_ = v; }
  void StepIt() { MoveTo(std::int64_t(position_) + step_, true); }

  // The caption is the window text; setting it (or the window text) drops a wide caption.
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& text);
  const WideString& WideCaption() const { return wideCaption_; }
  bool ShowWide() const { return showWide_; }
  void SetWideCaption(const WideString& text);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TColor BarColor() const { return barColor_; }
  void SetBarColor(TColor c);
  TColor BarTextColor() const { return barTextColor_; }
  void SetBarTextColor(TColor c);

  // The next Step units of the current range become the range low..high (high > low, else
  // low + 1); the caption stays.
  void PushRange(std::int32_t low, std::int32_t high);
  // Back to the enclosing range, one Step further on than at the push; nothing on an empty
  // stack. The caller recalculates.
  void PopRange();
  // Every range dropped, Position := Min, Step := 1, recalculated.
  void ResetBar();
  // Keeps the invariants after Min, Max or the ranges changed, and repaints at once.
  void Recalculate();
  // Repaints at once.
  void Repaint();

  bool TaskbarMirror() const { return taskbarMirror_; }
  void SetTaskbarMirror(bool v);

  // The shown fraction Numerator / Denominator, and the x where the filled part ends.
  std::int64_t Numerator() const { return numerator_; }
  std::int64_t Denominator() const { return denominator_; }
  std::int32_t BarEnd() const { return barEnd_; }
  int RangeDepth() const;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void Paint() override;
  void Resize() override;

 private:
  void MoveTo(std::int64_t v, bool repaintNow);
  void ComputeBarEnd(bool repaintNow);
  void UpdateTaskbar();
  void TextChanged();
  void DrawFrame(RECT& r);
  void DrawCaption(const RECT& clip, int x, int y);

  WideString wideCaption_;
  bool showWide_ = false;
  bool taskbarMirror_ = false, taskbarActive_ = false;
  std::int64_t numerator_ = 0, denominator_ = 1;
  std::int32_t barEnd_ = 0;
  std::int32_t position_ = 0, max_ = 1, min_ = 0;
  RECT innerRect_ = {};
  std::unique_ptr<TLuProgressBarSec> ranges_;
  std::int32_t step_ = 1;
  std::int64_t rangeScale_ = 1, rangeOffset_ = 0, unitWeight_ = 1;
  bool restoring_ = false;
  TAlignment alignment_ = TAlignment::LeftJustify;
  TColor barColor_ = clHighlight, barTextColor_ = clHighlightText;
};
