// The memo's Japanese context menu, read by a helper thread while it is open: its items, which
// of them are enabled, where it shows, and that the chosen command is carried out.
#include <windows.h>
#include <imm.h>

#include <atomic>

#include "gen0/GenOptions.h"
#include "tests/controls/RetNextForm.h"
#include "tests/gui/GuiFixture.h"

namespace {
const std::vector<std::string> MenuItems = {
    "105 元に戻す(&U)", "0 ", "102 切り取り(&T)", "101 コピー(&C)", "104 貼り付け(&P)",
    "103 削除(&L)", "0 ", "106 全て選択(&U)", "0 ", "107 日本語入力モード(&L)"};

struct SeenMenu {
  std::vector<std::string> items;  // id and text
  std::string enabled;             // per item: "+", "-" greyed, "*" checked, " " separator
  POINT at = {};
  std::string failure;  // why the command could not be chosen
};

HMENU MenuOf(HWND window) {
  DWORD_PTR menu = 0;
  SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_BLOCK, 5000, &menu);
  return reinterpret_cast<HMENU>(menu);
}

int Highlighted(HMENU menu) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
  return -1;
}

// Reads the open menu, then chooses the item command by the arrow keys and Enter, or closes
// the menu with Esc (also when something fails, so that the test thread's menu loop ends). The
// last key goes down only: the menu's window is gone before a key-up could reach it.
bool ReadAndChoose(HWND window, UINT command, SeenMenu& seen, const char* screenshot) {
  HMENU menu = MenuOf(window);
  RECT r;
  GetWindowRect(window, &r);
  seen.at = {r.left, r.top};
  int target = -1, count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    UINT id = GetMenuItemID(menu, i), state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
    bool separator = state & MF_SEPARATOR;
    seen.items.push_back(std::to_string(separator ? 0 : id) + " " + text);
    char mark = (state & MF_GRAYED) ? '-' : (state & MF_CHECKED) ? '*' : '+';
    seen.enabled += separator ? ' ' : mark;
    if (id == command && !separator) target = i;
  }
  auto fail = [&](std::string why) {
    seen.failure = why + " (" + std::to_string(count) + " items, highlight " +
                   std::to_string(Highlighted(menu)) + (IsWindow(window) ? ")" : ", menu gone)");
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    return false;
  };
  if (screenshot && SaveScreenshot(screenshot).empty()) return fail("no screenshot");
  if (command == 0) return PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1) || fail("no Esc");
  if (target < 0) return fail("no item " + std::to_string(command));
  for (int step = 0; step < count; ++step) {
    int now = Highlighted(menu);
    if (now == target) return PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1) || fail("no Enter");
    if (!PostKey(window, VK_DOWN)) return fail("no Down");
    // The menu takes the old item's highlight off before it puts the new one on; read between
    // the two, no item is highlighted, and another Down would move twice.
    auto moved = [&] {
      int h = Highlighted(menu);
      return h >= 0 && h != now;
    };
    if (!PollUntil(moved, 5000))
      return fail("Down moved nothing from " + std::to_string(now));
  }
  return fail("item " + std::to_string(target) + " not reached");
}

bool ImeOpen(HWND w) {
  HIMC imc = ImmGetContext(w);
  bool open = imc && ImmGetOpenStatus(imc);
  ImmReleaseContext(w, imc);
  return open;
}

struct MenuCase {
  const char* name;
  bool inHouse, mouse, readOnly;
  const char* text;
  int selStart, selLength;  // bytes
  bool edited, refuseUndo, imeOpen;
  UINT command;
  const char *enabled, *textAfter, *clipboardAfter;
};

class ContextMenu : public GuiForm {};
}  // namespace

TEST_F(ContextMenu, ItemsEnablingAndCommands) {
  const MenuCase cases[] = {
      {"read-only: select all", 1, 0, 1, "更新処理", 0, 0, 0, 0, 0, 106, "- ---- + +",
       "更新処理", "クリップ"},
      {"read-only, selected: copy", 1, 0, 1, "更新処理", 0, 4, 0, 0, 0, 101, "- -+-- + +",
       "更新処理", "更新"},
      {"read-only, empty", 1, 0, 1, "", 0, 0, 0, 0, 0, 0, "- ---- - +", "", "クリップ"},
      {"edited, selected: cut", 1, 0, 0, "更新処理", 4, 4, 1, 0, 0, 102, "+ ++++ + +", "更新",
       "処理"},
      {"editable: paste", 1, 0, 0, "更新処理", 4, 0, 0, 0, 0, 104, "- --+- + +",
       "更新クリップ処理", "クリップ"},
      {"editable, selected: delete", 1, 0, 0, "更新処理", 0, 4, 0, 0, 0, 103, "- ++++ + +",
       "処理", "クリップ"},
      {"edited: undo", 1, 0, 0, "更新処理", 8, 0, 1, 0, 0, 105, "+ --+- + +", "更新",
       "クリップ"},
      {"OnUndo refuses: undo greyed", 1, 0, 0, "更新処理", 8, 0, 1, 1, 0, 0, "- --+- + +",
       "更新処理", "クリップ"},
      {"input method closed: opens", 1, 0, 1, "更新", 0, 0, 0, 0, 0, 107, "- ---- + +", "更新",
       "クリップ"},
      {"input method open: checked, closes", 1, 0, 1, "更新", 0, 0, 0, 0, 1, 107, "- ---- + *",
       "更新", "クリップ"},
      {"at the mouse", 1, 1, 1, "更新", 0, 0, 0, 0, 0, 0, "- ---- + +", "更新", "クリップ"},
      {"option off: the standard menu", 0, 1, 1, "更新", 0, 0, 0, 0, 0, 0, nullptr, "更新",
       "クリップ"},
  };
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.name);
    LibraryOptions.InHouseContextMenus = c.inHouse;
    auto* f = NewForm<TfrmRetNext>(Application);
    TLuMemo* memo = f->Memo;
    memo->SetReadOnly(c.readOnly);
    f->Show();
    memo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == memo->Handle(); }));
    // The memo can undo typed text: "更新" followed by what was typed.
    memo->SetText(c.edited ? std::string(c.text, 4) : c.text);
    if (c.edited) {
      memo->SetSel(4, 0);
      memo->ReplaceSel(c.text + 4);
    }
    memo->SetSel(c.selStart, c.selLength);
    if (c.refuseUndo) memo->OnUndo = [](TLuMemo*, bool, bool&, bool& done) { done = true; };
    // The field puts text on the clipboard and reads it back.
    f->Edit->SetText("クリップ");
    f->Edit->SelectAll();
    SendMessageW(f->Edit->Handle(), WM_COPY, 0, 0);
    HIMC imc = ImmGetContext(memo->Handle());
    ImmSetOpenStatus(imc, c.imeOpen);
    ImmReleaseContext(memo->Handle(), imc);
    ASSERT_EQ(ImeOpen(memo->Handle()), c.imeOpen);

    POINT at = {0, memo->Height()};
    ClientToScreen(memo->Handle(), &at);
    if (c.mouse) at = {at.x + 40, at.y - 60};
    SeenMenu seen;
    std::atomic<bool> done{false};
    auto isMenu = [](const WindowInfo& w) { return w.className == "#32768" && MenuOf(w.hwnd); };
    Answerer answer(isMenu, [&](HWND w) {
      // Kept as an artefact: the notice-like form with the open menu.
      bool ok = ReadAndChoose(w, c.command, seen, c.command == 101 ? "controls_retnext_menu" : 0);
      done = true;
      return ok;
    });
    PostMessageW(memo->Handle(), WM_CONTEXTMENU, WPARAM(memo->Handle()),
                 c.mouse ? MAKELPARAM(at.x, at.y) : MAKELPARAM(-1, -1));
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    ASSERT_TRUE(answer.Join().acted) << answer.Join().failure << seen.failure;
    ASSERT_TRUE(PumpUntilIdle());

    if (c.inHouse) {
      EXPECT_EQ(seen.items, MenuItems);
      EXPECT_EQ(seen.enabled, c.enabled);
      EXPECT_EQ(seen.at.x, at.x);
      EXPECT_EQ(seen.at.y, at.y);
    } else {
      EXPECT_NE(seen.items, MenuItems);
    }
    EXPECT_EQ(memo->Text(), c.textAfter);
    if (c.command == 106) { EXPECT_EQ(memo->SelLength(), int(strlen(c.text))); }
    f->Edit->SetText("");
    SendMessageW(f->Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(f->Edit->Text(), c.clipboardAfter);
    EXPECT_EQ(ImeOpen(memo->Handle()), c.imeOpen != (c.command == 107));
    delete f;
  }
  LibraryOptions = TLibraryOptions();
}
