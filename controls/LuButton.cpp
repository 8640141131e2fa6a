#include "controls/LuButton.h"

#include "controls/FocusNext.h"

TLuButton::TLuButton(TComponent* owner) : TButton(owner) { SetDefault(false); }

bool TLuButton::DialogKey(WORD key, std::uint8_t shift) {
  if (key == VK_RETURN && ReturnNext && Focused()) {
    PostFocusNext(*this);
    return true;
  }
  return TButton::DialogKey(key, shift);
}
