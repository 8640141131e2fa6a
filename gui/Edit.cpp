#include "gui/Edit.h"

#include <imm.h>

#include "gui/Clipboard.h"
#include "gui/TextUnits.h"
#include "gui/WideText.h"

namespace {
std::size_t Bytes(const std::wstring& w) { return w.empty() ? 0 : Narrow(w).size(); }

// UTF-16 position in text of the byte offset bytes (rounded down to a whole character).
int UnitsOf(const std::wstring& text, int bytes) {
  if (bytes < 0) return -1;
  std::size_t i = 0, b = 0;
  while (i < text.size()) {
    std::size_t n = Bytes(text.substr(i, 1));
    if (b + n > std::size_t(bytes)) break;
    b += n;
    ++i;
  }
  return int(i);
}
}  // namespace

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
  // In UTF-16 units: a bound the byte limit never exceeds, for what does not pass our checks.
  SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int n) {
  maxLength_ = n < 0 ? 0 : n;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
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

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::SetSel(int start, int length) {
  if (!HandleAllocated()) return;
  std::wstring text = WideWindowText(Handle());
  int from = UnitsOf(text, start);
  int to = length < 0 ? -1 : UnitsOf(text, start + length);
  SendMessageW(Handle(), EM_SETSEL, WPARAM(from), LPARAM(to));
}

int TCustomEdit::SelStart() {
  if (!HandleAllocated()) return 0;
  DWORD start = 0;
  SendMessageW(Handle(), EM_GETSEL, WPARAM(&start), 0);
  return int(Bytes(WideWindowText(Handle()).substr(0, start)));
}

int TCustomEdit::SelLength() {
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(Bytes(WideWindowText(Handle()).substr(start, end - start)));
}

void TCustomEdit::ReplaceSel(const std::string& text) {
  if (HandleAllocated()) SendMessageW(Handle(), EM_REPLACESEL, TRUE, LPARAM(Widen(text).c_str()));
}

bool TCustomEdit::Modified() {
  return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool v) {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETMODIFY, v, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

std::size_t TCustomEdit::BytesWith(const std::wstring& insert) {
  std::wstring text = WideWindowText(Handle());
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  if (start > text.size()) start = DWORD(text.size());
  if (end > text.size() || end < start) end = start;
  return Bytes(text.substr(0, start)) + Bytes(insert) + Bytes(text.substr(end));
}

void TCustomEdit::PasteLimited() {
  std::wstring clip = ClipboardText(Handle());
  if (clip.empty()) return;
  bool multiLine = GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE;
  // A single-line field takes the first line, as the system's paste does.
  if (!multiLine) clip = clip.substr(0, clip.find_first_of(L"\r\n"));
  InsertLimited(clip);
}

void TCustomEdit::InsertLimited(const std::wstring& text) {
  std::size_t base = BytesWith(L"");
  std::size_t room = base < std::size_t(maxLength_) ? maxLength_ - base : 0;
  std::string bytes = Narrow(text);
  std::size_t fit = FitBytes(bytes, room);
  if (fit < bytes.size()) MessageBeep(0);
  bytes.resize(fit);
  if (!bytes.empty()) SendMessageW(Handle(), EM_REPLACESEL, TRUE, LPARAM(Widen(bytes).c_str()));
}

// The finished text of the input method, inserted within the limit; l keeps what else the
// message carries for the default handling.
bool TCustomEdit::ImeResultLimited(LPARAM& l) {
  if (!(l & GCS_RESULTSTR)) return false;
  HIMC imc = ImmGetContext(Handle());
  if (!imc) return false;
  std::wstring result;
  LONG n = ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0);
  if (n > 0) {
    result.resize(std::size_t(n) / sizeof(wchar_t));
    ImmGetCompositionStringW(imc, GCS_RESULTSTR, result.data(), DWORD(n));
  }
  ImmReleaseContext(Handle(), imc);
  InsertLimited(result);
  l &= ~LPARAM(GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE);
  return true;
}

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case CN_COMMAND:
      if (HIWORD(w) == EN_CHANGE) {
        Change();
        return 0;
      }
      break;
    case WM_CHAR:
    case WM_IME_CHAR:
      if (maxLength_ > 0 && w >= 0x20 && !readOnly_) {
        if (BytesWith(std::wstring(1, wchar_t(w))) > std::size_t(maxLength_)) {
          MessageBeep(0);
          return 0;
        }
      }
      break;
    case WM_PASTE:
      if (maxLength_ > 0 && !readOnly_) {
        PasteLimited();
        return 0;
      }
      break;
    case WM_IME_COMPOSITION:
      if (maxLength_ > 0 && !readOnly_ && ImeResultLimited(l)) {
        if (!(l & (GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS))) return 0;
      }
      break;
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

LRESULT TMemo::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_GETDLGCODE) {
    LRESULT code = TCustomEdit::WndProc(msg, w, l);
    return wantReturns_ ? code : code & ~LRESULT(DLGC_WANTALLKEYS);
  }
  return TCustomEdit::WndProc(msg, w, l);
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
  if (HandleAllocated()) return int(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0));
  std::string text = Text();
  int n = 1;
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i + 2)) ++n;
  return n;
}
