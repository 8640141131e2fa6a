// The reading event of TLuEdit: the readings of compositions that the input method finishes are
// collected and reported after the text change that they made.
#include <windows.h>
#include <imm.h>

#include <utility>

#include "controls/LuEdit.h"

std::string ImmResultReading(HWND w) {
  std::string reading;
  HIMC imc = ImmGetContext(w);
  if (!imc) return reading;
  LONG n = ImmGetCompositionStringA(imc, GCS_RESULTREADSTR, nullptr, 0);
  if (n > 0) {
    reading.resize(std::size_t(n));
    n = ImmGetCompositionStringA(imc, GCS_RESULTREADSTR, reading.data(), DWORD(n));
    reading.resize(std::size_t(n > 0 ? n : 0));
  }
  ImmReleaseContext(w, imc);
  return reading;
}

std::string (*ReadResultReading)(HWND w) = ImmResultReading;

LRESULT TLuEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_IME_COMPOSITION && (l & GCS_RESULTREADSTR) && OnHurigana)
    kana_ += ReadResultReading(Handle());
  return TLuCustomEdit::WndProc(msg, w, l);
}

void TLuEdit::Change() {
  TFreeWatch watch(this);
  TLuCustomEdit::Change();
  if (watch.Freed() || kana_.empty()) return;
  std::string kana = std::exchange(kana_, {});
  if (OnHurigana) OnHurigana(this, kana);
}
