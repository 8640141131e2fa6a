// The installed-folder dialog: which folder texts it confirms and with what reason it refuses
// the others, and the keys and buttons of a user answering it.
#include "app/InstalledFolderDialog.h"

#include "controls/LuButton.h"
#include "controls/LuEdit.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenError.h"
#include "tests/gen/LayerFixture.h"

namespace {
class FolderDialog : public WorkLayer {
 protected:
  void SetUp() override {
    WorkLayer::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "morimo_folder_dialog\\";
    Clean();
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  void TearDown() override {
    Clean();
    WorkLayer::TearDown();
  }
  // Makes root\folder with the entries named; a name ending in "\" is a subfolder.
  std::string Folder(const std::string& folder, std::initializer_list<std::string> entries) {
    std::string path = root_ + folder;
    CreateDirectoryA(path.c_str(), nullptr);
    made_.push_back(path);
    for (const std::string& e : entries) {
      std::string item = path + "\\" + e;
      if (e.back() == '\\') {
        CreateDirectoryA(item.c_str(), nullptr);
        made_.push_back(item);
      } else {
        CloseHandle(CreateFileA(item.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        files_.push_back(item);
      }
    }
    return path;
  }
  void Clean() {
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    for (auto d = made_.rbegin(); d != made_.rend(); ++d) RemoveDirectoryA(d->c_str());
    RemoveDirectoryA(root_.c_str());
    files_.clear();
    made_.clear();
  }

  std::string root_;
  std::vector<std::string> made_, files_;
};

const char NoFolder[] = "フォルダを指定してください";
const char NotInstalled[] = "モリモVer.２インストール済みフォルダを指定してください";
}  // namespace

TEST_F(FolderDialog, TheStartButtonConfirmsOnlyAFolderHoldingMorimo) {
  const std::string installed = Folder("installed", {"morimo.exe"});
  struct Case {
    const char* name;
    std::string text;
    const char* refusal;  // null: confirmed
    bool focusToField;
  };
  const Case cases[] = {
      {"morimo.exe", installed, nullptr, false},
      {"with its backslash", installed + "\\", nullptr, false},
      {"trailing spaces", installed + "   ", nullptr, false},
      {"only morimo.bak", Folder("bak", {"morimo.bak"}), nullptr, false},
      {"only morimo.exe.lz", Folder("lz", {"morimo.exe.lz"}), nullptr, false},
      {"a subfolder so named", Folder("sub", {"morimo.d\\"}), nullptr, false},
      {"a Japanese folder name", Folder("モリモ給与", {"morimo.exe"}), nullptr, false},
      {"empty", "", NoFolder, true},
      {"only spaces", "    ", NoFolder, true},
      {"no morimo.*", Folder("other", {"payroll.exe", "morimox.exe"}), NotInstalled, false},
      {"no such folder", root_ + "missing", NotInstalled, false},
      {"a file, not a folder", installed + "\\morimo.exe", NotInstalled, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<TfrmDoui> d(NewForm<TfrmDoui>(Application));
    d->Show();
    d->LuButton_Next->SetFocus();
    d->LuEdit_Path->SetText(c.text);
    std::string refusal;
    try {
      d->LuButton_NextClick();
    } catch (const ELuInput& e) {
      refusal = e.Message;
    }
    EXPECT_EQ(refusal, c.refusal ? c.refusal : "");
    EXPECT_EQ(d->ModalResult, c.refusal ? mrNone : mrOk);
    EXPECT_EQ(GetFocus(), (c.focusToField ? static_cast<TWinControl*>(d->LuEdit_Path)
                                          : d->LuButton_Next)->Handle());
    EXPECT_EQ(d->LuEdit_Path->Text(), c.text);  // left as the user typed it
  }
}

// Answered as a user does, through real keys and the close box; the text comes back as it
// stood in the field, spaces and all.
TEST_F(FolderDialog, KeysAndButtonsEndTheDialog) {
  const std::string installed = Folder("installed", {"morimo.exe"});
  const std::string japanese = Folder("モリモ給与", {"morimo.bak"});
  struct Case {
    const char* name;
    Action act;
    std::string result;  // the folder handed back; "" for EAbort
  };
  const Case cases[] = {
      {"Enter: the start button has the focus", SendKeysTo({VK_RETURN}), installed + "  "},
      {"Esc", SendKeysTo({VK_ESCAPE}), ""},
      {"the cancel button", PressCaption("中止", PressBy::Click), ""},
      {"the close box",
       [](HWND w) { return PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }, ""},
      // Shift+Tab from the start button reaches the field (last in the tab order), Shift+Home
      // empties it; Enter in the field moves on to the start button and the next Enter presses.
      {"typed Japanese folder",
       [&](HWND w) {
         HWND field = FindWindowExA(w, nullptr, "Edit", nullptr);
         auto until = [](const std::function<bool()>& ready) {
           return PollUntil(ready, DefaultTimeout);
         };
         return SendChord(w, {VK_SHIFT}, VK_TAB) && until([&] { return FocusOf(w) == field; }) &&
                SendChord(w, {VK_SHIFT}, VK_HOME) &&
                until([&] { return ReadFieldText(field).empty(); }) && SendText(w, japanese) &&
                until([&] { return ReadFieldText(field) == japanese; }) &&
                SendKeys(w, {VK_RETURN}) &&
                until([&] { return ReadText(FocusOf(w)) == "更新の開始"; }) &&
                SendKeys(w, {VK_RETURN});
       },
       japanese},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string folder = installed + "  ";
    // A key that did nothing leaves the dialog open: closed by the test, which then fails.
    Answerer answer(WindowQuery{"TfrmDoui", "セットアップ"}, [&](HWND w) {
      PollUntil([w] { return IsChild(w, FocusOf(w)); }, DefaultTimeout);
      if (c.act(w) && PollUntil([w] { return !IsWindow(w); }, DefaultTimeout)) return true;
      PostMessageA(w, WM_CLOSE, 0, 0);
      return false;
    });
    std::string result;
    try {
      AskInstalledFolder(folder);
      result = folder;
    } catch (const EAbort&) {
    }
    const Answer& a = answer.Join();
    EXPECT_TRUE(a.acted) << a.failure;
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(FindTopLevel(Matching({"TfrmDoui"})), nullptr);
  }
}

// The dialog as it shows at 96 pixels per inch and scaled to 128, over the main window.
TEST_F(FolderDialog, Screenshots) {
  const std::string installed = Folder("installed", {"morimo.exe"});
  for (int scale : {96, 128}) {
    SCOPED_TRACE(scale);
    std::unique_ptr<TfrmDoui> d(NewForm<TfrmDoui>(Application));
    if (scale != 96) d->ScaleBy(scale, 96);
    d->LuEdit_Path->SetText(installed);
    d->Show();
    d->LuButton_Next->SetFocus();
    PumpUntilIdle();
    RECT field, next;
    GetWindowRect(d->LuEdit_Path->Handle(), &field);
    GetWindowRect(d->LuButton_Next->Handle(), &next);
    EXPECT_EQ(field.right - field.left, MulDiv(633, scale, 96));
    EXPECT_EQ(next.top - field.top, MulDiv(212 - 92, scale, 96));
    EXPECT_FALSE(SaveScreenshot("folder_dialog_" + std::to_string(scale)).empty());
  }
}
