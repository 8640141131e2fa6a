// The formatting rectangle from the margins and option bits, the automatic height, and the
// character capacity that the field keeps when it is scaled.
#include <algorithm>

#include "controls/LuEdit.h"

void TLuCustomEdit::SetMargins(RECT margins) {
  margins_ = {std::max(0, int(margins.left)), std::max(0, int(margins.top)),
              std::max(0, int(margins.right)), std::max(0, int(margins.bottom))};
  ApplyMargins();
}

void TLuCustomEdit::ApplyMargins() {
  if (HandleAllocated()) {
    // The EDIT keeps its text off a border of its own; the flat single border is wider.
    int border = !BorderSingle() ? 0 : ctl3D_ ? 1 : 2;
    bool button = dropDownStyle_ != TLuDropDownStyle::ddNone && !noDropDownButton_;
    if ((margins_.left || margins_.top || margins_.right || margins_.bottom) && autoSize_)
      autoSize_ = false;
    RECT r;
    GetClientRect(Handle(), &r);
    if (options_ & eoCentredText) {
      if (textHeight_ < 0) MeasureTextHeight();
      int height = r.bottom;
      r.top = std::max(0, (height + 1 - 2 * border - textHeight_) / 2);
      r.bottom = height;
    } else {
      r.top += border + margins_.top;
      r.bottom += margins_.top - margins_.bottom;
    }
    r.left += border + margins_.left;
    r.right -= border + margins_.right + (button ? ButtonWidth : 0);
    SendMessageW(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  }
  capacity_.Remeasure();
}

void TLuCustomEdit::MeasureTextHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font.Handle());
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  textHeight_ = tm.tmHeight;
}

// The EDIT's own height for the font: the text and room for the border and the caret.
void TLuCustomEdit::AdjustHeight() {
  if (!autoSize_ || !BorderSingle()) return;
  if (textHeight_ < 0) MeasureTextHeight();
  SetHeight(textHeight_ + GetSystemMetrics(SM_CYBORDER) * (ctl3D_ ? 8 : 6));
}

void TLuCustomEdit::SetAutoSize(bool v) {
  autoSize_ = v && !(options_ & eoNoAutoSize);
  if (HandleAllocated()) AdjustHeight();
}

void TLuCustomEdit::SetEditOptions(std::uint32_t options) {
  options_ = options;
  capacity_.Off = (options & eoNoCapacity) != 0;
  if (options & eoNoAutoSize) autoSize_ = false;
  ApplyMargins();
}

void TLuCustomEdit::ApplyWorkFormOptions(bool noCapacity, bool centred) {
  std::uint32_t options = options_;
  if (noCapacity) options |= eoNoCapacity;
  if (centred) options |= eoCentredText | eoNoAutoSize;
  SetEditOptions(options);
}

int TLuCustomEdit::FormattingWidth() {
  RECT r = {};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r.right - r.left;
}

void TLuCustomEdit::FontChanged() {
  TCustomEdit::FontChanged();
  textHeight_ = -1;
  if (HandleAllocated()) AdjustHeight();
  ApplyMargins();
}

void TLuCustomEdit::Resize() {
  TCustomEdit::Resize();
  ApplyMargins();
}

void TLuCustomEdit::ChangeScale(int m, int d) {
  capacity_.Rescale(m, d, [&] {
    margins_ = {MulDiv(margins_.left, m, d), MulDiv(margins_.top, m, d),
                MulDiv(margins_.right, m, d), MulDiv(margins_.bottom, m, d)};
    ButtonWidth = m * ButtonWidth / d;
    if (dropDownWidth_ > 0) dropDownWidth_ = MulDiv(dropDownWidth_, m, d);
    TCustomEdit::ChangeScale(m, d);
    ApplyMargins();
  });
}
