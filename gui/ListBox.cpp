#include "gui/ListBox.h"

#include "gui/WideText.h"

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "LISTBOX";
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (style_ == TListBoxStyle::OwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  if (BorderSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  HWND w = Handle();
  // The item height came with the list's first WM_MEASUREITEM, during its creation.
  for (const std::string& s : items_) SendMessageW(w, LB_ADDSTRING, 0, LPARAM(Widen(s).c_str()));
  SendMessageW(w, LB_SETCURSEL, WPARAM(itemIndex_), 0);
}

void TCustomListBox::AddItem(const std::string& item) {
  items_.push_back(item);
  if (HandleAllocated()) SendMessageW(Handle(), LB_ADDSTRING, 0, LPARAM(Widen(item).c_str()));
}

void TCustomListBox::SetItems(const std::vector<std::string>& items) {
  Clear();
  for (const std::string& s : items) AddItem(s);
}

void TCustomListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  if (HandleAllocated()) SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

int TCustomListBox::ItemIndex() {
  if (HandleAllocated()) itemIndex_ = int(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomListBox::SetItemIndex(int index) {
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETCURSEL, WPARAM(index), 0);
}

void TCustomListBox::SetItemHeight(int h) {
  itemHeight_ = h;
  if (HandleAllocated() && style_ == TListBoxStyle::OwnerDrawFixed)
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, h);
}

int TCustomListBox::TopIndex() {
  return HandleAllocated() ? int(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int index) {
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETTOPINDEX, WPARAM(index), 0);
}

int TCustomListBox::ItemAtPos(POINT p) {
  if (!HandleAllocated()) return -1;
  LRESULT r = SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  if (HIWORD(r)) return -1;
  int index = LOWORD(r);
  return index < Count() ? index : -1;
}

void TCustomListBox::SetStyle(TListBoxStyle s) {
  if (s == style_) return;
  style_ = s;
  StyleChanged();
}

void TCustomListBox::DrawItem(int index, const RECT& rect, UINT state) {
  bool selected = (state & ODS_SELECTED) != 0;
  Canvas.Brush.SetColor(selected ? clHighlight : Color());
  Canvas.Font.SetColor(selected ? clHighlightText : Font.Color());
  Canvas.FillRect(rect);
  if (index >= 0 && index < Count()) Canvas.TextRect(rect, rect.left + 2, rect.top, items_[index]);
}

LRESULT TCustomListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case CN_COMMAND:
      if (HIWORD(w) == LBN_SELCHANGE) {
        itemIndex_ = int(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
        Click();
      } else if (HIWORD(w) == LBN_DBLCLK && OnDblClick) {
        OnDblClick(this);
      }
      return 0;
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = UINT(itemHeight_);
      return TRUE;
    case CN_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      Canvas.SetHandle(d->hDC);
      Canvas.Font.Assign(Font);
      try {
        DrawItem(int(d->itemID), d->rcItem, d->itemState);
      } catch (...) {
        Canvas.SetHandle(nullptr);
        throw;
      }
      Canvas.SetHandle(nullptr);
      return TRUE;
    }
  }
  return TWinControl::WndProc(msg, w, l);
}
