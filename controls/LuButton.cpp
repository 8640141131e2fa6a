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

void TLuButton::ChangeScale(int m, int d) {
  capacity_.Rescale(m, d, [&] { TButton::ChangeScale(m, d); });
}

void TLuButton::CreateWnd() {
  TButton::CreateWnd();
  capacity_.Remeasure();
}

void TLuButton::FontChanged() {
  TButton::FontChanged();
  capacity_.Remeasure();
}

void TLuButton::Resize() {
  TButton::Resize();
  capacity_.Remeasure();
}
