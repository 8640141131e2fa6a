// make demo without a display of one's own: runs the updater on the demonstration install as a
// user would, keeps a screenshot of each step and says how it ended.
//   demo_driver UPDATER.exe INSTALLED.exe EXPECTED.exe
#include <cstdio>
#include <string>

#include "tests/e2e/UpdaterDriver.h"
#include "tests/support/GuiTest.h"

using namespace e2e;

namespace {
bool Shot(const char* name) {
  std::string path = guitest::SaveScreenshot(name);
  if (!path.empty()) std::printf("  screenshot: %s.png\n", name);
  return !path.empty();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: demo_driver UPDATER.exe INSTALLED.exe EXPECTED.exe\n");
    return 2;
  }
  Updater u("", argv[1]);
  if (!u.Started()) return std::fprintf(stderr, "the updater did not start\n"), 1;
  HWND dialog = u.Window("TfrmDoui", "セットアップ");
  if (!dialog) return std::fprintf(stderr, "no folder dialog\n"), 1;
  std::printf("folder dialog: %s\n", FolderText(dialog).c_str());
  guitest::PollUntil([&] { return IsChild(dialog, guitest::FocusOf(dialog)); }, 10000);
  Shot("demo_1_folder_dialog");
  Press(dialog, "更新の開始");
  // The progress window shows only while the file is expanded: held still for its picture.
  HWND progress = u.Window("", "インストール中です", 20000);
  if (progress) {
    u.Suspend(true);
    Shot("demo_2_progress_window");
    u.Suspend(false);
  }
  HWND box = u.Window("TLuMessageForm", "", 60000);
  if (!box) return std::fprintf(stderr, "no final dialog\n"), 1;
  std::string result = MessageText(box);
  std::printf("final dialog: %s\n", result.c_str());
  Shot("demo_3_final_dialog");
  Press(box, "OK");
  if (HWND notice = u.Window("", "お知らせ", 3000)) {
    std::printf("notices: %s\n", NoticeText(notice).c_str());
    Press(notice, "OK");
  }
  DWORD code = 1;
  if (!u.Ended(30000, &code)) return std::fprintf(stderr, "the updater did not end\n"), 1;
  bool updated = FileBytes(argv[2]) == FileBytes(argv[3]);
  std::printf("the updater ended with %lu; the installed morimo.exe is %s\n", code,
              updated ? "the new one" : "NOT the new one");
  return updated && code == 0 ? 0 : 1;
}
