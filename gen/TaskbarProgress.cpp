#include "gen/TaskbarProgress.h"

#include <shobjidl.h>

#include "gen0/GenVersion.h"
#include "gen0/MulDiv64.h"
#include "gui/Application.h"
#include "gui/ExceptionBarrier.h"

TTaskbarListFactory CreateTaskbarList = CreateSystemTaskbarList;

namespace {
class TSystemTaskbarList : public TTaskbarList {
 public:
  explicit TSystemTaskbarList(ITaskbarList3* list) : list_(list) {}
  ~TSystemTaskbarList() override { list_->Release(); }
  void SetProgressState(HWND w, int state) override {
    list_->SetProgressState(w, TBPFLAG(state));
  }
  void SetProgressValue(HWND w, std::uint64_t completed, std::uint64_t total) override {
    list_->SetProgressValue(w, completed, total);
  }

 private:
  ITaskbarList3* list_;
};

std::unique_ptr<TTaskbarList> s_list;
std::int64_t s_lastValue = -1;
int s_state = TaskbarNoProgress;
UINT s_buttonMessage = 0;
// The application window that is watched, and whether its button exists: the taskbar ignores
// or fails calls for a button that is not yet made.
HWND s_watched = nullptr;
bool s_buttonReady = false;

void SendState() {
  if (s_list && s_buttonReady) s_list->SetProgressState(s_watched, s_state);
}

void SendValue() {
  if (s_list && s_buttonReady && s_lastValue >= 0)
    s_list->SetProgressValue(s_watched, std::uint64_t(s_lastValue), 200);
}

// The button was made (again, after Explorer restarted): it shows what the mirror holds.
void ButtonCreated() {
  s_buttonReady = true;
  if (s_state == TaskbarNoProgress) return;
  SendState();
  SendValue();
}

// The application window's messages, before its own procedure: the shell's notice that the
// taskbar button exists.
bool WatchButton(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == WM_NCDESTROY) {
    s_watched = nullptr;
    s_buttonReady = false;
    return false;
  }
  if (!s_buttonMessage || msg != s_buttonMessage) return false;
  ButtonCreated();
  result = 0;
  return true;
}

// ChangeWindowMessageFilterEx exists from Windows 7 on.
void AllowThroughMessageFilter(HWND w, UINT msg) {
  using TFilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto filterEx = reinterpret_cast<TFilterEx>(
      user32 ? reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx"))
             : nullptr);
  if (filterEx) filterEx(w, msg, MSGFLT_ALLOW, nullptr);
}
}  // namespace

std::unique_ptr<TTaskbarList> CreateSystemTaskbarList() {
  ITaskbarList3* list = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                              IID_ITaskbarList3, reinterpret_cast<void**>(&list))) ||
      !list)
    return nullptr;
  if (FAILED(list->HrInit())) {
    list->Release();
    return nullptr;
  }
  return std::make_unique<TSystemTaskbarList>(list);
}

void TaskbarMirrorStart() {
  if (WindowsVersion >= 0x0601) {
    s_list.reset();
    s_list = CreateTaskbarList();
  }
  if (!s_list) return;
  s_state = TaskbarNormal;
  s_lastValue = -1;
  SendState();
}

void TaskbarMirrorValue(std::int64_t numerator, std::int64_t denominator) {
  if (!s_list || denominator <= 0) return;
  std::int64_t value = MulAddDiv(numerator, 200, 0, denominator);
  if (value == s_lastValue) return;
  s_lastValue = value;
  SendValue();
}

void TaskbarMirrorStop() {
  if (!s_list) return;
  s_state = TaskbarNoProgress;
  SendState();
}

void ListenForTaskbarButton() {
  if (!s_buttonMessage) s_buttonMessage = RegisterWindowMessageW(L"TaskbarButtonCreated");
  HWND w = Application ? Application->Handle() : nullptr;
  if (!w || !s_buttonMessage || w == s_watched) return;
  // The updater runs elevated: the shell's message would not get through otherwise.
  AllowThroughMessageFilter(w, s_buttonMessage);
  Application->HookMainWindow(&WatchButton);
  s_watched = w;
  s_buttonReady = false;
}

UINT TaskbarButtonCreatedMessage() { return s_buttonMessage; }

void ReleaseTaskbarList() {
  s_list.reset();
  s_state = TaskbarNoProgress;
  s_lastValue = -1;
  if (Application) Application->UnhookMainWindow(&WatchButton);
  s_watched = nullptr;
  s_buttonReady = false;
}
