// What the field paints: in ddDropDownList its text itself, in the other styles the EDIT's own
// painting; then the drop-down button, the focus rectangle of highlight mode and the DrawBorder
// frame.
#include <algorithm>

#include "controls/DropDownText.h"
#include "controls/LuEdit.h"

using enum TLuDropDownStyle;

LRESULT TLuCustomEdit::PaintMessage(UINT msg, WPARAM w, LPARAM l) {
  // The focus rectangle is drawn inverted: all of it must be painted afresh first.
  if (msg == WM_PAINT && highlight_) InvalidateRect(Handle(), nullptr, FALSE);
  if (msg == WM_PAINT && dropDownStyle_ == ddDropDownList) {
    PAINTSTRUCT ps;
    struct EndOnExit {
      HWND w;
      PAINTSTRUCT* ps;
      bool own;
      ~EndOnExit() {
        if (own) EndPaint(w, ps);
      }
    } end{Handle(), &ps, w == 0};
    HDC dc = w ? reinterpret_cast<HDC>(w) : BeginPaint(Handle(), &ps);
    PaintOwnText(dc);
    DrawButton(dc);
  } else {
    LRESULT r = TCustomEdit::WndProc(msg, w, l);
    if (msg == WM_PAINT) RedrawButton();
    PaintExtras(msg == WM_PAINT);
    return r;
  }
  // No caret: the EDIT shows its own whenever it gets the focus.
  if (windowFocused_) HideCaretOnce();
  PaintExtras(true);
  return 0;
}

// The button's strip is left out of the erased area, then drawn.
LRESULT TLuCustomEdit::EraseBackground(WPARAM w, LPARAM l) {
  if (!HasButton()) return TCustomEdit::WndProc(WM_ERASEBKGND, w, l);
  HDC dc = reinterpret_cast<HDC>(w);
  RECT button = ButtonRect();
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
  LRESULT r = TCustomEdit::WndProc(WM_ERASEBKGND, w, l);
  RestoreDC(dc, saved);
  DrawButton(dc);
  return r;
}

// The text in the EDIT's place: from its formatting inset and the margins, or centred
// vertically with option bit 1; shown selected while the field has the focus and its list is
// closed.
void TLuCustomEdit::PaintOwnText(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const bool selected = windowFocused_ && !droppedDown_;
  RECT fill = client;
  if (!noDropDownButton_) fill.right -= ButtonWidth;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(selected ? clHighlight : Color()));
  FillRect(dc, &fill, brush);
  DeleteObject(brush);

  if (textHeight_ < 0) MeasureTextHeight();
  const int border = !BorderSingle() ? 0 : ctl3D_ ? 1 : 2;
  RECT text;
  text.left = client.left + formatInset_.left + margins_.left;
  text.top = (options_ & eoCentredText)
                 ? std::max(0, int(client.bottom + 1 - 2 * border - textHeight_) / 2)
                 : client.top + formatInset_.top + margins_.top;
  text.right = fill.right + formatInset_.right - margins_.right;
  text.bottom = text.top + textHeight_;
  std::string s = Text();
  if (passwordChar_) s = MaskedText(s, passwordChar_);
  UINT format = DT_NOPREFIX | DT_EXPANDTABS;
  if (Alignment() == TAlignment::RightJustify) format |= DT_RIGHT;
  if (Alignment() == TAlignment::Center) format |= DT_CENTER;
  HGDIOBJ oldFont = SelectObject(dc, Font.Handle());
  SetTextColor(dc, ColorToRGB(selected ? clHighlightText : Font.Color()));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, s.c_str(), int(s.size()), &text, format);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

// After the EDIT has painted: the focus rectangle of highlight mode inside the client area
// (its painting covered all of it, see PaintMessage), and the DrawBorder frame over the border.
void TLuCustomEdit::PaintExtras(bool client) {
  if (client && highlight_) {
    RECT r;
    GetClientRect(Handle(), &r);
    if (HasButton()) r.right -= ButtonWidth;
    HDC dc = GetDC(Handle());
    DrawFocusRect(dc, &r);
    ReleaseDC(Handle(), dc);
  }
  if (drawBorder_) {
    RECT r;
    GetWindowRect(Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    HDC dc = GetWindowDC(Handle());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(drawBorderColor_));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(Handle(), dc);
  }
}
