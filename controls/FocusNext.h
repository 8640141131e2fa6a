// The focus-next request of the in-house controls that take Enter as "next field".
#pragma once

class TWinControl;

// Posts WM_NEXTDLGCTL to the window of control's form: backwards while Shift is down,
// otherwise forwards. The focus moves when the message loop next runs.
void PostFocusNext(TWinControl& control);
// Sends it: the focus has moved when this returns.
void SendFocusNext(TWinControl& control, bool backwards);
