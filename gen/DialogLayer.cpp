#include "gen/DialogLayer.h"

#include "gen/MessageDialog.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenError.h"
#include "gen0/GenLog.h"
#include "gen0/GenOptions.h"
#include "services/AltF4Hook.h"
#include "services/RaiseFilter.h"

TGenFunc1* GenFunc1Instance = nullptr;

namespace {
TDialogResultProc s_previousDialogResult = nullptr;

std::string ModalResultName(int result) {
  static const char* const names[] = {"mrOk",     "mrCancel", "mrAbort", "mrRetry",
                                      "mrIgnore", "mrYes",    "mrNo"};
  if (result >= mrOk && result <= mrNo) return names[result - mrOk];
  return "mr(" + std::to_string(result) + ")";
}
}  // namespace

void TGenFunc1::CentreOnWorkForm(TLuMessageForm* dialog) {
  if (PreviousDialogCreated) PreviousDialogCreated(dialog);
  if (TCustomForm* form = CurrentWorkForm()) CentreOnForm(*dialog, *form);
}

void CentreOnForm(TCustomForm& dialog, TCustomForm& form) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  dialog.SetBounds((r.left + r.right - dialog.Width()) / 2,
                   (r.top + r.bottom - dialog.Height()) / 2, dialog.Width(), dialog.Height());
}

void LogDialogResult(const std::string& text, int result) {
  if (s_previousDialogResult) s_previousDialogResult(text, result);
  LogErrorLimited("LuDialog\r\n" + text + "\r\n" + ModalResultName(result));
}

void DialogLayerStartup() {
  GenFunc1Instance = new TGenFunc1;
  InstallAltF4Hook();
  RaiseFilterActivate(true);
}

void DialogLayerShutdown() {
  RaiseFilterActivate(false);
  TGenFunc1* chain = GenFunc1Instance;
  GenFunc1Instance = nullptr;
  // Dialogs shown after the stop must not call into the freed object.
  if (OnDialogCreated.Self == chain) OnDialogCreated = chain->PreviousDialogCreated;
  delete chain;
}

void SetupDialogLayer() {
  if (!GenFunc1Instance) throw ELuInternal("SetupDialogLayer - モジュール未初期化");
  // The standard application settings.
  DialogScaleNum = 4;
  DialogScaleDen = 3;
  LibraryOptions.EditFirstClick = true;
  LibraryOptions.InHouseContextMenus = true;

  GenFunc1Instance->PreviousDialogCreated = OnDialogCreated;
  OnDialogCreated = TDialogCreatedEvent::Bind<&TGenFunc1::CentreOnWorkForm>(GenFunc1Instance);
  s_previousDialogResult = OnDialogResult;
  OnDialogResult = LogDialogResult;

  LibraryOptions.TaskbarProgress = true;
  LibraryOptions.WorkFormEditNoCapacity = true;
  LibraryOptions.WorkFormEditCentred = true;

  InstallRaiseFilter(GetCurrentThreadId());
  if (DebugMode) ErrorLogEnabled = true;
}
