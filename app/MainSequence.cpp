#include "app/MainSequence.h"

#include <windows.h>

#include "app/PlatformGate.h"
#include "app/SetupMainForm.h"
#include "expand/ExpandFile.h"
#include "gen/DialogLayer.h"
#include "gen/ErrorDocument.h"
#include "gen/ProgressWindow.h"
#include "gen0/GenError.h"
#include "gen0/GenVersion.h"
#include "gui/Application.h"

namespace {
const char ApplicationTitle[] = "モリモVer.２の更新プログラム";

void RunApplication() {
  SetupDialogLayer();
  NoticeStartup();
  CreateDoingWindow();
  Application->Initialize();
  Application->SetTitle(ApplicationTitle);
  TfrmSetupMain* main = Application->CreateForm<TfrmSetupMain>();
  OnMainFormShown = TMethod<void()>::Bind<&TfrmSetupMain::ExecuteUpdate>(main);
  Application->Run();
}

// What always follows the run: the notices the user has not read yet, then the windows go.
void Finish() {
  struct TearDown {
    ~TearDown() { Application->Teardown(); }
  } tearDown;
  NoticeFinish();
}
}  // namespace

void MainSequence() {
  UseLzsFormat = true;
  // Outside the protected block: a failing probe ends the process.
  if (!PlatformAccepted(WindowsVersion, IsWow64)) {
    MessageBoxA(nullptr, "本製品はWindows７－６４ビット用またはWindows８用です", ApplicationTitle,
                MB_ICONERROR | MB_OK);
    return;
  }
  DoingWindowScale = 134;
  try {
    try {
      RunApplication();
    } catch (...) {
      Finish();
      throw;
    }
    Finish();
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    MessageBoxA(nullptr, e.Message.c_str(), "LUMEN アプリケーション", MB_ICONERROR | MB_TOPMOST);
  }
}
