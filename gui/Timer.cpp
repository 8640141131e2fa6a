#include "gui/Timer.h"

#include <map>

#include "gen0/GenError.h"
#include "gui/ExceptionBarrier.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  onTimer_ = std::move(e);
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

// The system timer runs only while the timer is enabled, has an interval and an event.
void TTimer::Update() {
  if (UINT_PTR id = id_) {
    id_ = 0;
    KillTimer(nullptr, id);
    Timers().erase(id);
  }
  if (!enabled_ || interval_ == 0 || !onTimer_ || Destroying()) return;
  SetLastError(0);
  id_ = SetTimer(nullptr, 0, interval_, TimerProc);
  if (!id_) throw ELastError(GetLastError(), "タイマーを設定できません");
  Timers()[id_] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  TTimer* t = it->second;
  TFreeWatch watch(t);
  try {
    // A copy: the handler may free the timer, and with it the event it is running.
    TNotifyEvent event = t->onTimer_;
    if (event) event(t);
  } catch (...) {
    HandleCallbackException(watch.Freed() ? nullptr : t);
  }
}
