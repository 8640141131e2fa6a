#include "gui/Application.h"

#include <algorithm>

#include "gen0/GenFatal.h"
#include "gui/ApplicationEvents.h"
#include "gui/ExceptionBarrier.h"
#include "gui/Form.h"
#include "gui/MessageFlush.h"
#include "gui/Screen.h"
#include "gui/WideText.h"
#include "gui/WindowClass.h"

TApplication* Application = nullptr;
TMethod<void()> OnMainFormShown;

TApplication::TApplication() = default;

TApplication::~TApplication() { Teardown(); }

void TApplication::Initialize() { Handle(); }

HWND TApplication::Handle() {
  if (handle_) return handle_;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HICON icon = LoadIconW(instance, L"MAINICON");
  if (!RegisterWindowClass(L"TApplication", WndProc, 0,
                           icon ? icon : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))))
    throw ELastError(GetLastError(), "ウィンドウクラスを登録できません - TApplication");
  // A window of no size in the screen's centre: it only carries the taskbar button.
  SetLastError(0);
  handle_ = CreateWindowExW(0, L"TApplication", Widen(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (!handle_) throw ELastError(GetLastError(), "ウィンドウを作成できません");
  return handle_;
}

LRESULT CALLBACK TApplication::WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (Application) {
      std::vector<TWindowHook> hooks = Application->windowHooks_;
      LRESULT result = 0;
      for (TWindowHook hook : hooks)
        if (hook(msg, wp, lp, result)) return result;
    }
    switch (msg) {
      case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_RESTORE && Application && IsIconic(w)) {
          Application->Restore();
          return 0;
        }
        break;
      case WM_CLOSE:
        if (Application && Application->mainForm_) Application->mainForm_->Close();
        return 0;
      case WM_SETFOCUS:
        // The taskbar button activated us: the main form takes the focus.
        if (Application && Application->mainForm_ && Application->mainForm_->Visible() &&
            IsWindowEnabled(Application->mainForm_->Handle())) {
          SetFocus(Application->mainForm_->Handle());
          return 0;
        }
        break;
    }
  } catch (...) {
    HandleCallbackException(Application);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Widen(title).c_str());
}

void TApplication::AddForm(TCustomForm* f) {
  try {
    f->DoCreate();
  } catch (...) {
    delete f;
    throw;
  }
  if (!mainForm_) mainForm_ = f;
}

void TApplication::FormDestroyed(TCustomForm* f) {
  if (mainForm_ == f) mainForm_ = nullptr;
}

void TApplication::Run() {
  if (!mainForm_) return;
  // Started minimised (a shortcut set to "minimised"): only the taskbar button shows, and the
  // main form comes when the user restores it.
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  GetStartupInfoA(&si);
  ShowWindow(Handle(), SW_SHOWNA);
  if ((si.dwFlags & STARTF_USESHOWWINDOW) &&
      (si.wShowWindow == SW_SHOWMINNOACTIVE || si.wShowWindow == SW_SHOWMINIMIZED ||
       si.wShowWindow == SW_MINIMIZE))
    Minimize();
  else
    mainForm_->Show();
  if (OnMainFormShown) OnMainFormShown();
  while (!terminated_) HandleMessage();
}

// Key and character messages go to the form of the control they are for first: the key
// preview, dialog keys and mnemonics. The control is the window's own or that of its nearest
// parent of ours; owners do not count, and the search ends at a top-level window.
bool TApplication::PreviewKey(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      break;
    default:
      return false;
  }
  for (HWND w = msg.hwnd; w; w = GetAncestor(w, GA_PARENT)) {
    if (TWinControl* target = TWinControl::FindControl(w)) {
      TCustomForm* form = target->ParentForm();
      return form && form->PreviewKey(target, msg);
    }
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

bool TApplication::ProcessMessage() {
  MSG msg;
  // Unicode all the way: characters typed or pasted reach our windows as UTF-16.
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    if (!PreviewKey(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    HandleCallbackException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (!ProcessMessage()) WaitMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Minimize() { ShowWindow(Handle(), SW_MINIMIZE); }

void TApplication::Restore() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
}

void TApplication::HandleException(TComponent* sender, const Exception& e) {
  bool handled = false;
  std::vector<TApplicationEvents*> events = events_;
  for (TApplicationEvents* ev : events) {
    if (ev->OnException) {
      ev->OnException(sender, e);
      handled = true;
    }
  }
  if (handled) return;
  if (OnException) {
    OnException(sender, e);
    return;
  }
  if (!dynamic_cast<const EAbort*>(&e)) ShowException(e);
}

void TApplication::ShowException(const Exception& e) {
  MessageBoxA(GetActiveWindow(), e.Message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

bool TApplication::HelpContext(int context) {
  if (OnHelp) return OnHelp(context);
  if (HelpFile.empty()) return false;
  return WinHelpA(Handle(), HelpFile.c_str(), HELP_CONTEXT, ULONG_PTR(context)) != 0;
}

void TApplication::HookMainWindow(TWindowHook hook) {
  if (std::find(windowHooks_.begin(), windowHooks_.end(), hook) == windowHooks_.end())
    windowHooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(TWindowHook hook) {
  windowHooks_.erase(std::remove(windowHooks_.begin(), windowHooks_.end(), hook),
                     windowHooks_.end());
}

void TApplication::AddEvents(TApplicationEvents* e) { events_.push_back(e); }

void TApplication::RemoveEvents(TApplicationEvents* e) {
  events_.erase(std::remove(events_.begin(), events_.end(), e), events_.end());
}

void TApplication::Teardown() {
  if (handle_) ShowOwnedPopups(handle_, FALSE);
  showHint_ = false;
  MarkDestroying();
  DestroyComponents();
  mainForm_ = nullptr;
  if (HWND w = handle_) {
    handle_ = nullptr;
    DestroyWindow(w);
  }
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
  if (Application) Application->AddEvents(this);
}

TApplicationEvents::~TApplicationEvents() {
  if (Application) Application->RemoveEvents(this);
}

void HandleCallbackException(TComponent* sender) noexcept {
  auto show = [sender](const Exception& e) {
    if (Application)
      Application->HandleException(sender, e);
    else
      ReportException(e);
  };
  try {
    try {
      throw;
    } catch (const Exception& e) {
      show(e);
    } catch (const std::exception& e) {
      show(Exception(e.what()));
    } catch (...) {
      show(Exception("不明な例外が発生しました"));
    }
  } catch (const Exception& e) {
    // The handler itself failed: the base library's display is the last resort.
    try {
      DefaultReportException(e);
    } catch (...) {
    }
  } catch (...) {
  }
}

void GuiStartup() {
  if (!Screen) Screen = new TScreen();
  if (!Application) Application = new TApplication();
  InstallMessageFlush();
}

void GuiShutdown() {
  RemoveMessageFlush();
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
}
