// The update itself: the main window's one job, run once from the start hook.
#include <windows.h>
#include <shlobj.h>

#include "app/ExecutableReplacement.h"
#include "app/InstalledFolderDialog.h"
#include "app/SetupMainForm.h"
#include "app/StandardFolders.h"
#include "gen/MessageDialog.h"
#include "gen/ProgressWindow.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenHooks.h"
#include "gen0/GenPath.h"
#include "gen0/GenReg.h"
#include "gui/Label.h"

namespace {
// Where the product's installer records its folder.
const char InstallKey[] = "Software\\Lumen\\morimo2";
const char InstallValue[] = "ProgramDir";
}  // namespace

void TfrmSetupMain::ExecuteUpdate() {
  try {
    FindStandardFolders();
    SetCaption("モリモVer.２の更新プログラム");
    Label1->SetCaption("モリモVer.２の更新プログラム");
    std::string folder;
    ReadRegString(HKEY_LOCAL_MACHINE, InstallKey, InstallValue, folder, 0);
    if (IsBlank(folder)) folder = AddTrailingSeparator(ProgramFilesFolder) + "MORIMO";
    AskInstalledFolder(folder);
    SetDoingDelayed(false);
    DoingBegin();
    try {
      DoingTitle = "インストール中です";
      DoingSetTitle();
      DoingMin = 0;
      DoingMax = 10;
      DoingPushRange();
      ReplaceExecutable(AddTrailingSeparator(folder), ProgramFolder() + "morimo.exe.lz");
      DoingPopRange();
    } catch (...) {
      DoingEnd();
      throw;
    }
    DoingEnd();
    SHChangeNotify(SHCNE_ALLEVENTS, SHCNF_IDLIST, nullptr, nullptr);
    MessageDialog("更新処理を完了しました。", DialogKind::Information, ButtonSet({mbOK}), 0, 0);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    ReportException(e);
    MessageDialog("更新処理に失敗しました", DialogKind::Error, ButtonSet({mbOK}), 0, 0);
  }
  Close();
}
