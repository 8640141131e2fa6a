// The barrier at every Win32 callback: called inside a catch block, it hands the exception in
// flight to the application's exception handling and never lets anything escape.
#pragma once

class TComponent;

void HandleCallbackException(TComponent* sender) noexcept;
