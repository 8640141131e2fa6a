#include "app/ExecutableReplacement.h"

#include "expand/ExpandFile.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenHooks.h"
#include "gen0/GenPath.h"

namespace {
// morimo.bak back as morimo.exe, in place of whatever morimo.exe holds.
void PutBackupBack(const std::string& executable, const std::string& backup) {
  DeleteFileChecked(executable, true, false);
  MoveOrRename(backup, executable);
}
}  // namespace

void ReplaceExecutable(const std::string& installFolder, const std::string& source) {
  const std::string backup = installFolder + "morimo.bak";
  const std::string executable = installFolder + "morimo.exe";
  if (PathExists(backup, false, ExistsFile)) PutBackupBack(executable, backup);
  MoveOrRename(executable, backup);
  bool complete = false;
  try {
    PathParts parts = SplitPath(executable);
    DoingText = parts.Name + parts.Ext;
    DoingSetText();
    ExpandFile(source, executable, true, true);
    complete = true;
    DeleteFileChecked(backup, true, false);
  } catch (const Exception&) {
    if (!complete) {
      try {
        PutBackupBack(executable, backup);
      } catch (const Exception& restore) {
        ReportException(restore);
      }
    }
    throw;
  }
}
