// Deferred calls: a procedure with one argument, run later on the main thread when its message
// loop next handles the deferred-call message of the hidden window "TWinEvents_Srv". A call is
// never queued twice, and a call whose owner is freed first never runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "gui/Component.h"

using TPostCallProc = void (*)(void* arg);

// owner may be null; then a component argument is the owner, and any other argument needs one.
void PostCallUntyped(TComponent* owner, TPostCallProc proc, void* arg, bool argIsComponent);

template <class A>
void PostCall(TComponent* owner, void (*proc)(A*), A* arg) {
  PostCallUntyped(owner, reinterpret_cast<TPostCallProc>(proc),
                  const_cast<void*>(static_cast<const void*>(arg)),
                  std::is_base_of_v<TComponent, A>);
}
inline void PostCall(TComponent* owner, void (*proc)(void*), std::nullptr_t) {
  PostCallUntyped(owner, proc, nullptr, false);
}

// Chains the deferred-call message behind FlushMessages.
void PostCallStartup();
// Frees the watcher, destroys the hidden window and clears the table.
void PostCallShutdown();

// The post of the deferred-call message, PostMessageA; tests make it fail.
using TPostMessage = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
extern TPostMessage PostCallPoster;

// Calls queued and not yet run, for tests and diagnostics.
int PendingCallCount();
// System change broadcasts the hidden window has received.
extern std::uint32_t SystemChangeCount;
