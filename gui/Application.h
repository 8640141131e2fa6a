// The application object: the application window that carries the title on the taskbar, the
// forms it creates (the first is the main form), the run step and message loop, and the
// exception event through which every exception caught at a window callback is shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gen0/GenError.h"
#include "gen0/GenMethod.h"
#include "gui/Component.h"

class TCustomForm;
class TApplicationEvents;

using TExceptionEvent = std::function<void(TComponent* sender, const Exception& e)>;

// Called once by Run, right after the main form has been shown and before the message loop
// takes its first message; its object is the main form.
extern TMethod<void()> OnMainFormShown;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  void Initialize();
  HWND Handle();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Takes a built form into the application's ownership; the first becomes the main form.
  template <class T, class... A>
  T* CreateForm(A&&... args) {
    T* f = New<T>(this, std::forward<A>(args)...);
    AddForm(f);
    return f;
  }
  TCustomForm* MainForm() const { return mainForm_; }

  // Shows the main form, calls OnMainFormShown once, then runs the loop until Terminate.
  void Run();
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();
  // Handles one message, waiting for one when none is queued.
  void HandleMessage();
  // Takes one message off the queue and handles it; false when the queue was empty.
  bool ProcessMessage();
  void Terminate();
  // The taskbar button stands for the application: minimising the main form minimises the
  // application window, whose owned windows the system hides with it.
  void Minimize();
  void Restore();
  bool Terminated() const { return terminated_; }

  TExceptionEvent OnException;
  // Shows e through the exception event of the application-events components, else
  // OnException, else ShowException; EAbort is shown by nobody.
  void HandleException(TComponent* sender, const Exception& e);
  void ShowException(const Exception& e);

  std::string HelpFile;
  std::function<bool(int context)> OnHelp;
  bool HelpContext(int context);

  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Hides the pop-ups owned by the application window, switches hints off and destroys every
  // form and component the application owns.
  void Teardown();

  // Procedures that see the application window's messages before it does; true means handled,
  // with result. Each is kept once.
  using TWindowHook = bool (*)(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  void HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(TWindowHook hook);

  // Bookkeeping from forms and events components.
  void FormDestroyed(TCustomForm* f);
  void AddEvents(TApplicationEvents* e);
  void RemoveEvents(TApplicationEvents* e);

 private:
  void AddForm(TCustomForm* f);
  bool PreviewKey(const MSG& msg);
  static LRESULT CALLBACK WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

  HWND handle_ = nullptr;
  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool showHint_ = true;
  std::vector<TApplicationEvents*> events_;
  std::vector<TWindowHook> windowHooks_;
};

extern TApplication* Application;

// The GUI layer's start-up and shut-down: the application and screen objects, and the message
// flush behind FlushMessages.
void GuiStartup();
void GuiShutdown();
