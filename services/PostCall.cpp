#include "services/PostCall.h"

#include <windows.h>

#include <vector>

#include "gen0/GenBase.h"
#include "gen0/GenError.h"
#include "gui/ExceptionBarrier.h"
#include "gui/MessageFlush.h"
#include "gui/WindowClass.h"

std::uint32_t SystemChangeCount = 0;
TPostMessage PostCallPoster = PostMessageA;

namespace {
const char WindowName[] = "TWinEvents_Srv";

struct CallEntry {
  TPostCallProc Proc = nullptr;
  void* Arg = nullptr;
  TComponent* Owner = nullptr;
};

bool IsProc(TPostCallProc p) { return reinterpret_cast<std::uintptr_t>(p) >= 0x10000; }

// Empties the slots of a component that is being freed.
class TMsgSyncEventListManager : public TComponent {
 public:
  std::string ClassName() const override { return "TMsgSyncEventListManager"; }

 protected:
  void Notification(TComponent* c, TOperation op) override;
};

HWND s_window = nullptr;
std::vector<CallEntry> s_calls;
bool s_posted = false;
bool s_dispatching = false;
bool s_flushFromWindow = false;
TMsgSyncEventListManager* s_watcher = nullptr;
TFlushMessages s_previousFlush = nullptr;

void TMsgSyncEventListManager::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op != TOperation::Remove) return;
  for (CallEntry& e : s_calls)
    if (e.Owner == c) e = CallEntry{};
}

void PostDeferredMessage() {
  SetLastError(0);
  if (!PostCallPoster(s_window, DeferredCallMessage, 0, 0))
    throw ELastError(GetLastError(), "メッセージのポストに失敗");
}

// The flag only follows a post that succeeded: a failed one must not hold back the next.
void PostUnlessPosted() {
  if (s_posted) return;
  PostDeferredMessage();
  s_posted = true;
}

void Dispatch() {
  if (s_dispatching) return;  // the outer dispatch picks the new entries up
  s_dispatching = true;
  try {
    do {
      s_posted = false;
      for (std::size_t i = 0; i < s_calls.size(); ++i) {
        if (!IsProc(s_calls[i].Proc)) continue;
        CallEntry call = s_calls[i];
        s_calls[i] = CallEntry{};
        try {
          call.Proc(call.Arg);
        } catch (const Exception& e) {
          ReportException(e);
        }
      }
    } while (s_posted);
  } catch (...) {
    s_dispatching = false;
    throw;
  }
  s_dispatching = false;
  if (!Flushing && FlushMessages) {
    s_flushFromWindow = true;
    try {
      FlushMessages();
    } catch (...) {
      s_flushFromWindow = false;
      throw;
    }
    s_flushFromWindow = false;
  }
}

bool IsSystemChange(UINT msg) {
  switch (msg) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DEVMODECHANGE:
    case WM_FONTCHANGE:
    case WM_CLIPBOARDUPDATE:
    case WM_POWERBROADCAST:
      return true;
  }
  return false;
}

LRESULT CALLBACK ServiceWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (msg == DeferredCallMessage && DeferredCallMessage != 0) {
      Dispatch();
      return 0;
    }
    if (IsSystemChange(msg)) {
      ++SystemChangeCount;
      PostMessageA(w, DeferredCallMessage, 0, 0);
    }
  } catch (...) {
    HandleCallbackException(nullptr);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

void CreateServiceWindow() {
  // A class the system refuses shows as the creation's failure.
  RegisterWindowClass(WindowName, ServiceWndProc, 0, LoadIconA(nullptr, IDI_APPLICATION),
                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  SetLastError(0);
  s_window = CreateWindowExA(0, WindowName, WindowName, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!s_window) throw ELastError(GetLastError(), "ウィンドウを作成できません");
}

void ChainedFlush() {
  if (s_previousFlush) s_previousFlush();
  if (s_window && !s_flushFromWindow) {
    PostDeferredMessage();
    s_posted = true;
  }
}
}  // namespace

void PostCallUntyped(TComponent* owner, TPostCallProc proc, void* arg, bool argIsComponent) {
  if (!IsProc(proc)) return;
  if (!s_window) CreateServiceWindow();
  if (!owner && arg) {
    if (!argIsComponent)
      throw ELuInternal("TComponent でないクラスのイベントを登録するには Owner が必要です");
    owner = static_cast<TComponent*>(arg);
  }
  if (owner && owner->Destroying()) return;
  // Queued already, but the post that queued it may have failed.
  for (const CallEntry& e : s_calls)
    if (e.Proc == proc && e.Arg == arg && e.Owner == owner) return PostUnlessPosted();
  if (!s_watcher) s_watcher = new TMsgSyncEventListManager();
  if (owner) owner->FreeNotification(s_watcher);
  CallEntry entry{proc, arg, owner};
  bool stored = false;
  for (CallEntry& e : s_calls) {
    if (!IsProc(e.Proc)) {
      e = entry;
      stored = true;
      break;
    }
  }
  if (!stored) s_calls.push_back(entry);
  PostUnlessPosted();
}

int PendingCallCount() {
  int n = 0;
  for (const CallEntry& e : s_calls)
    if (IsProc(e.Proc)) ++n;
  return n;
}

void PostCallStartup() {
  s_previousFlush = FlushMessages;
  FlushMessages = ChainedFlush;
}

void PostCallShutdown() {
  if (FlushMessages == ChainedFlush) FlushMessages = s_previousFlush;
  s_previousFlush = nullptr;
  delete s_watcher;
  s_watcher = nullptr;
  if (HWND w = s_window) {
    s_window = nullptr;
    DestroyWindow(w);
  }
  s_calls.clear();
  s_posted = false;
}
