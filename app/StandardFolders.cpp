#include "app/StandardFolders.h"

#include <shlobj.h>

#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenPath.h"
#include "gen0/GenVersion.h"

std::string DesktopFolder;
std::string ProgramFilesFolder;
std::string ProgramsMenuFolder;
std::string ProductMenuFolder;

TSpecialFolderLookup SpecialFolderLookup = SpecialFolderPath;

namespace {
// Frees the item list and releases the allocator on every way out.
class ShellItemList {
public:
  explicit ShellItemList(IMalloc* malloc) : malloc_(malloc) {}
  ~ShellItemList() {
    if (list_) malloc_->Free(list_);
    malloc_->Release();
  }
  ShellItemList(const ShellItemList&) = delete;
  ShellItemList& operator=(const ShellItemList&) = delete;
  LPITEMIDLIST* Out() { return &list_; }
  LPITEMIDLIST Get() const { return list_; }

private:
  IMalloc* malloc_;
  LPITEMIDLIST list_ = nullptr;
};
}  // namespace

std::string SpecialFolderPath(HWND owner, int csidl) {
  IMalloc* malloc = nullptr;
  if (SHGetMalloc(&malloc) != S_OK) throw ELuError("シェルIMallocインターフェースを取得できません");
  ShellItemList list(malloc);
  if (SHGetSpecialFolderLocation(owner, csidl, list.Out()) != S_OK) return {};
  char buffer[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListA(list.Get(), buffer)) return {};
  return buffer;
}

void FindStandardFolders() {
  std::string path = SpecialFolderLookup(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY);
  if (IsBlank(path)) throw ELuError("デスクトップディレクトリを取得できません");
  DesktopFolder = AddTrailingSeparator(path);

  path = SpecialFolderLookup(nullptr, CSIDL_PROGRAM_FILES);
  if (IsBlank(path)) path = WindowsRoot() + "Program Files";
  ProgramFilesFolder = AddTrailingSeparator(path);

  // The Windows 95 family has no all-users Start menu.
  const bool ntFamily = (RawWindowsVersion & 0x80000000u) == 0;
  path = ntFamily ? SpecialFolderLookup(nullptr, CSIDL_COMMON_PROGRAMS) : std::string();
  if (IsBlank(path)) path = SpecialFolderLookup(nullptr, CSIDL_PROGRAMS);
  if (IsBlank(path)) throw ELuError("スタートメニュー プログラムフォルダを取得できません");
  ProgramsMenuFolder = AddTrailingSeparator(path);

  ProductMenuFolder = AddTrailingSeparator(ProgramsMenuFolder + "モリモVer.２");
}

void ClearStandardFolders() {
  DesktopFolder.clear();
  ProgramFilesFolder.clear();
  ProgramsMenuFolder.clear();
  ProductMenuFolder.clear();
}
