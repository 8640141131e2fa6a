// The alignment switch: a right- or centre-aligned field whose text does not fit is edited
// left-aligned, where the EDIT scrolls the text to the caret, and shows its designed alignment
// again once the focus has left it. The switch makes the window anew; characters already queued
// for the old window are taken off and posted to the new one, so none is lost or reordered.
#include <vector>

#include "controls/LuEdit.h"
#include "gui/Form.h"
#include "gui/WideText.h"

namespace {
int TextWidth(HWND w, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  return size.cx;
}

// The form draws nothing while the field's window is made anew, and everything afterwards.
class TRedrawOff {
 public:
  explicit TRedrawOff(TCustomForm* form)
      : form_(form && form->HandleAllocated() ? form->Handle() : nullptr) {
    if (form_) SendMessageW(form_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawOff() {
    if (!form_) return;
    SendMessageW(form_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(form_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

 private:
  HWND form_;
};

class TFlagOn {
 public:
  explicit TFlagOn(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagOn() { flag_ = false; }
  TFlagOn(const TFlagOn&) = delete;
  TFlagOn& operator=(const TFlagOn&) = delete;

 private:
  bool& flag_;
};
}  // namespace

void TLuCustomEdit::CheckAlignment(const std::wstring& text) {
  if (!hasFocus_ || Alignment() == TAlignment::LeftJustify || !HandleAllocated()) return;
  if (MaxLength() > 0 && std::size_t(MaxLength()) < Narrow(text).size()) return;
  if (FormattingWidth() >= TextWidth(Handle(), Font.Handle(), text)) return;
  SwitchToLeft();
}

void TLuCustomEdit::SwitchToLeft() {
  savedAlignment_ = Alignment();
  alignmentSwitched_ = true;
  std::vector<MSG> queued;
  MSG m;
  while (PeekMessageW(&m, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) queued.push_back(m);
  int start = SelStart(), length = SelLength();
  {
    TRedrawOff redraw(ParentForm());
    TFlagOn switching(switching_);
    // The focused window is made anew and gets the focus back.
    SetAlignment(TAlignment::LeftJustify);
  }
  if (highlight_ || DropDownStyle() == TLuDropDownStyle::ddDropDownList) HideCaretOnce();
  SetSel(start, length);
  for (const MSG& q : queued) PostMessageW(Handle(), q.message, q.wParam, q.lParam);
}

void TLuCustomEdit::RestoreAlignment() {
  alignmentSwitched_ = false;
  int start = SelStart(), length = SelLength();
  SetAlignment(savedAlignment_);
  SetSel(start, length);
}
