#include "controls/ImeMode.h"

#include <imm.h>

namespace {
// The conversion mode for the opened modes, or -1 for open alone.
long ConversionOf(TImeMode mode) {
  switch (mode) {
    case TImeMode::imSAlpha:
      return IME_CMODE_ALPHANUMERIC;
    case TImeMode::imAlpha:
      return IME_CMODE_ALPHANUMERIC | IME_CMODE_FULLSHAPE;
    case TImeMode::imHira:
      return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    case TImeMode::imSKata:
      return IME_CMODE_NATIVE | IME_CMODE_KATAKANA;
    case TImeMode::imKata:
      return IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
    default:
      return -1;
  }
}
}  // namespace

void SetImeMode(HWND w, TImeMode mode) {
  if (mode == TImeMode::imDontCare) return;
  if (mode == TImeMode::imDisable) {
    ImmAssociateContext(w, nullptr);
    return;
  }
  // A window switched off before gets its thread's default context back.
  ImmAssociateContextEx(w, nullptr, IACE_DEFAULT);
  HIMC imc = ImmGetContext(w);
  if (!imc) return;
  ImmSetOpenStatus(imc, mode != TImeMode::imClose);
  if (long conversion = ConversionOf(mode); conversion >= 0) {
    DWORD current = 0, sentence = 0;
    ImmGetConversionStatus(imc, &current, &sentence);
    ImmSetConversionStatus(imc, DWORD(conversion), sentence);
  }
  ImmReleaseContext(w, imc);
}
