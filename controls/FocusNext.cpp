#include "controls/FocusNext.h"

#include <windows.h>

#include "gui/Form.h"

void PostFocusNext(TWinControl& control) {
  TCustomForm* form = control.ParentForm();
  if (!form || !form->HandleAllocated()) return;
  WPARAM back = GetKeyState(VK_SHIFT) < 0 ? 1 : 0;
  PostMessageW(form->Handle(), WM_NEXTDLGCTL, back, 0);
}

void SendFocusNext(TWinControl& control, bool backwards) {
  TCustomForm* form = control.ParentForm();
  if (form && form->HandleAllocated()) SendMessageW(form->Handle(), WM_NEXTDLGCTL, backwards, 0);
}
