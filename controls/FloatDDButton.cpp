#include "controls/FloatDDButton.h"

namespace {
TLuFloatDDButton* s_button = nullptr;
}  // namespace

TLuFloatDDButton::TLuFloatDDButton(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  Colors.OnChange = [this] { Invalidate(); };
}

// The button may go with a form it sits on; the process then makes a new one when asked.
TLuFloatDDButton::~TLuFloatDDButton() {
  if (s_button == this) s_button = nullptr;
  Colors.OnChange = nullptr;
}

void TLuFloatDDButton::Attach(TWinControl* field) {
  TWinControl* parent = field->Parent();
  if (!parent) return;
  field_ = field;
  SetParent(parent);
  SetBounds(field->Left() + field->Width(), field->Top(), ButtonWidth, field->Height());
  Show();
  Invalidate();
  // Above the neighbours it may cover while it floats.
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Off the field's parent as well, so that the button does not go with that form.
void TLuFloatDDButton::Detach(TWinControl* field) {
  if (field != field_) return;
  field_ = nullptr;
  pressed_ = false;
  Hide();
  SetParent(nullptr);
}

void TLuFloatDDButton::Paint() {
  TDropDownButtonState state = !Enabled() ? TDropDownButtonState::Inactive
                               : pressed_ ? TDropDownButtonState::Pressed
                                          : TDropDownButtonState::Normal;
  DrawDropDownButton(Canvas.Handle(), ClientRect(), Colors, state);
}

LRESULT TLuFloatDDButton::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // Paint covers it all
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      Invalidate();
      SetCapture(Handle());
      Click();
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      Invalidate();
      break;
  }
  return TCustomControl::WndProc(msg, w, l);
}

TLuFloatDDButton* FloatDDButton(bool create) {
  if (!s_button && create) s_button = New<TLuFloatDDButton>(nullptr);
  return s_button;
}

void FreeFloatDDButton() { delete s_button; }
