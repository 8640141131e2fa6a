#include "gui/Edit.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "EDIT";
  p.Style |= ES_AUTOHSCROLL;
  if (readOnly_) p.Style |= ES_READONLY;
  if (alignment_ == TAlignment::Center) p.Style |= ES_CENTER;
  if (alignment_ == TAlignment::RightJustify) p.Style |= ES_RIGHT;
  if (border_) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int n) {
  maxLength_ = n;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(n), 0);
}

void TCustomEdit::SetBorderSingle(bool v) {
  if (v == border_) return;
  border_ = v;
  StyleChanged();
}

void TCustomEdit::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  StyleChanged();
}

void TCustomEdit::SelectAll() { SetSel(0, -1); }

void TCustomEdit::SetSel(int start, int length) {
  if (HandleAllocated())
    SendMessageA(Handle(), EM_SETSEL, WPARAM(start), length < 0 ? -1 : LPARAM(start + length));
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  if (HandleAllocated()) SendMessageA(Handle(), EM_GETSEL, WPARAM(&start), 0);
  return int(start);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  if (HandleAllocated()) SendMessageA(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(end - start);
}

bool TCustomEdit::Modified() {
  return HandleAllocated() && SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool v) {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETMODIFY, v, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == CN_COMMAND && HIWORD(w) == EN_CHANGE) {
    Change();
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE;
  if (wordWrap_) p.Style &= ~ES_AUTOHSCROLL;
  if (wantReturns_) p.Style |= ES_WANTRETURN;
  if (scrollBars_ == TScrollStyle::Vertical || scrollBars_ == TScrollStyle::Both)
    p.Style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::Horizontal || scrollBars_ == TScrollStyle::Both)
    p.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle s) {
  if (s == scrollBars_) return;
  scrollBars_ = s;
  StyleChanged();
}

void TMemo::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  StyleChanged();
}

void TMemo::SetWantReturns(bool v) {
  if (v == wantReturns_) return;
  wantReturns_ = v;
  StyleChanged();
}

void TMemo::AddLine(const std::string& line) {
  std::string text = Text();
  if (!text.empty()) text += "\r\n";
  SetText(text + line);
}

int TMemo::LineCount() {
  if (HandleAllocated()) return int(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
  std::string text = Text();
  int n = 1;
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i + 2)) ++n;
  return n;
}
