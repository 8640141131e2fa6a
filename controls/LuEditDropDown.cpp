// The field's drop-down list: its settings, opening the hint list below (or above) the field,
// picking an item into the text, ItemIndex and the text kept in step, and the floating button.
#include <algorithm>

#include "controls/DropDownText.h"
#include "controls/FloatDDButton.h"
#include "controls/HintListBox.h"
#include "controls/LuEdit.h"
#include "gui/ScreenCanvas.h"

using enum TLuDropDownStyle;

bool TLuCustomEdit::ListStyle() const {
  return dropDownStyle_ == ddDropDown || dropDownStyle_ == ddDropDownList;
}

void TLuCustomEdit::SetDropDownStyle(TLuDropDownStyle s) {
  if (s == dropDownStyle_) return;
  SetDroppedDown(false);
  dropDownStyle_ = s;
  ApplyMargins();
  // The list style paints its text itself and shows no caret.
  if (windowFocused_) {
    if (s == ddDropDownList)
      HideCaretOnce();
    else if (!highlight_)
      ShowCaretAgain();
  }
  Invalidate();
  UpdateFloatButton();
}

void TLuCustomEdit::SetNoDropDownButton(bool v) {
  if (v == noDropDownButton_) return;
  SetDroppedDown(false);
  noDropDownButton_ = v;
  ApplyMargins();
  Invalidate();
}

void TLuCustomEdit::SetDropDownWidth(int v) {
  dropDownWidth_ = v;
  if (list_) list_->SetWidth(v > 0 ? v : Width());
}

void TLuCustomEdit::SetDropDownCount(int v) {
  dropDownCount_ = v;
  if (list_) list_->SetRowCount(std::max(1, v));
}

void TLuCustomEdit::SetDropOut(bool v) {
  dropOut_ = v;
  UpdateFloatButton();
}

void TLuCustomEdit::SetDropDownDisable(bool v) {
  dropDownDisable_ = v;
  Invalidate();
  UpdateFloatButton();
}

void TLuCustomEdit::SetDisplayLines(const std::vector<std::string>& lines) {
  displayLines_ = lines;
  if (PrefixLength <= 0) return;
  Items.clear();
  for (const std::string& line : displayLines_) Items.push_back(WithoutPrefix(line, PrefixLength));
}

void TLuCustomEdit::SetDroppedDown(bool v) {
  if (v == droppedDown_) return;
  if (v) {
    OpenList();
    return;
  }
  droppedDown_ = false;
  if (list_) list_->Hide();
  if (dropDownStyle_ == ddDropDownList) Invalidate();
}

void TLuCustomEdit::Notification(TComponent* c, TOperation op) {
  TCustomEdit::Notification(c, op);
  if (op == TOperation::Remove && c == list_) {
    list_ = nullptr;
    droppedDown_ = false;
  }
}

void TLuCustomEdit::MakeList() {
  if (list_) return;
  list_ = New<THintListBox>(this);
  list_->SetSubClassComponent(this);
  list_->SyncMouse = true;
  list_->SetColor(clWindow);
  list_->OnSelected = [this](TComponent*) { PickFromList(OnDropDownSelected); };
  list_->OnHided = [this](TComponent*) { ListClosed(); };
}

int TLuCustomEdit::ListWidth() {
  if (DropDownWidthAuto) {
    TScreenCanvas canvas;
    canvas.Font.Assign(list_->Font);
    int widest = 0;
    for (const std::string& line : list_->Items()) widest = std::max(widest, canvas.TextWidth(line));
    return widest + 2 * canvas.TextWidth(" ") + GetSystemMetrics(SM_CXVSCROLL);
  }
  return dropDownWidth_ > 0 ? dropDownWidth_ : Width();
}

void TLuCustomEdit::OpenList() {
  if (dropDownDisable_) return;
  LeaveHighlight();
  droppedDown_ = true;
  const TLuDropDownStyle style = dropDownStyle_;
  TFreeWatch watch(this);
  if (OnDropDown) {
    try {
      OnDropDown(this);
    } catch (...) {
      if (!watch.Freed()) droppedDown_ = false;
      throw;
    }
    if (watch.Freed()) return;
  }
  // ddEvent has only fired OnDropDown; a handler may also have closed the list or taken the
  // list style away.
  if (style == ddNone || style == ddEvent || !droppedDown_ || !ListStyle()) {
    droppedDown_ = false;
    return;
  }
  try {
    ShowList();
  } catch (...) {
    if (!watch.Freed()) droppedDown_ = false;
    throw;
  }
}

void TLuCustomEdit::ShowList() {
  MakeList();
  list_->Font.Assign(Font);
  list_->Font.SetColor(clWindowText);
  list_->Font.SetStyle(0);
  textFromItems_ = true;
  std::vector<std::string> lines = list_->Items();
  bool done = false;
  if (OnDropDownItems) {
    TFreeWatch watch(this);
    OnDropDownItems(this, lines, done);
    if (watch.Freed()) return;
  }
  if (done) {
    list_->SetItems(lines);
  } else if (PrefixLength <= 0) {
    list_->SetItems(Items);
    textFromItems_ = false;
  } else {
    list_->SetItems(displayLines_);
  }
  list_->SetItemIndex(itemIndex_);
  list_->SetWidth(ListWidth());
  const int count = int(Items.size());
  list_->SetRowCount(count < dropDownCount_ ? std::max(1, count) : std::max(1, dropDownCount_));
  if (dropDownStyle_ == ddDropDownList)
    list_->OnClick = [this](TComponent*) { PickFromList(OnDropDownClick); };
  else
    list_->OnClick = nullptr;
  SelectAllOrRepaint();
  RECT r;
  GetWindowRect(Handle(), &r);
  list_->ShowNear(r.left, r.top + Height(), r.top - list_->Height());
}

void TLuCustomEdit::ListClosed() {
  droppedDown_ = false;
  if (dropDownStyle_ == ddDropDownList) Invalidate();
}

void TLuCustomEdit::SetPickedText(const std::string& text) {
  if (text == Text()) return;
  TFreeWatch watch(this);
  SetText(text);
  if (!watch.Freed()) SetModified(true);
}

void TLuCustomEdit::SelectAllOrRepaint() {
  if (dropDownStyle_ == ddDropDownList)
    Invalidate();
  else
    SelectAll();
}

// The list's lines are Items themselves, or other lines whose picked text is the item at the
// same place.
void TLuCustomEdit::PickFromList(const TNotifyEvent& event) {
  const int n = list_->ItemIndex();
  itemIndex_ = n;
  TFreeWatch watch(this);  // OnChange may free the field
  if (!textFromItems_) {
    if (n >= 0 && n < list_->Count()) SetPickedText(list_->Items()[std::size_t(n)]);
  } else if (n >= 0 && n < int(Items.size())) {
    SetPickedText(Items[std::size_t(n)]);
  }
  if (watch.Freed()) return;
  SelectAllOrRepaint();
  if (event) event(this);
}

void TLuCustomEdit::SetItemIndex(int n) {
  if (n < 0) n = -1;
  if (n >= int(Items.size())) return;
  itemIndex_ = n;
  const bool textFollows = dropDownStyle_ == ddDropDownList ||
                           (dropDownStyle_ == ddDropDown && !(options_ & eoIndexKeepsText));
  if (textFollows) {
    TFreeWatch watch(this);
    SetPickedText(n < 0 ? std::string() : Items[std::size_t(n)]);
    if (watch.Freed()) return;
    // The text's own lookup could have found an equal item elsewhere.
    itemIndex_ = n;
    SelectAllOrRepaint();
  }
  if (droppedDown_ && list_) list_->SetItemIndex(n);
}

void TLuCustomEdit::IndexFromText(const std::string& text) {
  const int count = int(Items.size());
  if (itemIndex_ >= 0 && itemIndex_ < count && Items[std::size_t(itemIndex_)] == text) return;
  auto it = std::find(Items.begin(), Items.end(), text);
  itemIndex_ = it == Items.end() ? -1 : int(it - Items.begin());
  if (droppedDown_ && list_) list_->SetItemIndex(itemIndex_);
}

void TLuCustomEdit::UpdateFloatButton() {
  const bool wanted = dropOut_ && windowFocused_ && dropDownStyle_ != ddNone && Parent();
  TLuFloatDDButton* button = FloatDDButton(wanted);
  if (!button) return;
  if (!wanted) {
    button->Detach(this);
    return;
  }
  button->Colors.Assign(DropDownColors);
  button->ButtonWidth = ButtonWidth;
  button->SetEnabled(Enabled() && !dropDownDisable_);
  button->OnClick = [this](TComponent*) { SetDroppedDown(!droppedDown_); };
  button->Attach(this);
}
