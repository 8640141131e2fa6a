// Keys typed into the folder field through the toolkit's loop: Enter and the arrows of highlight
// mode move the focus, Esc reverts, Shift+Home empties; typed and pasted Japanese text arrives
// byte-exact, a paste without its control characters; and the reading event.
#include <windows.h>
#include <imm.h>

#include "gui/WideText.h"
#include "tests/controls/EditForm.h"

namespace {
class EditKeys : public EditForm {};

enum { Path, Other, Next };
struct KeyCase {
  const char* name;
  bool returnNext, alwaysEdit;
  std::vector<WORD> held;
  WORD key;
  int focus;
  const char *text, *pressed;
  bool highlightAfter;
};
}  // namespace

TEST_F(EditKeys, KeysMoveTheFocusRevertAndEmpty) {
  const char* folder = FolderText.c_str();
  const KeyCase cases[] = {
      {"Enter moves on", 1, 1, {}, VK_RETURN, Next, folder, "", 0},
      {"Shift+Enter moves back", 1, 1, {VK_SHIFT}, VK_RETURN, Other, folder, "", 0},
      {"without ReturnNext: the default button", 0, 1, {}, VK_RETURN, Path, folder, "既定", 0},
      {"Esc, nothing to revert: the cancel button", 1, 1, {}, VK_ESCAPE, Path, folder, "中止", 0},
      {"without ReturnNext: Esc cancels", 0, 1, {}, VK_ESCAPE, Path, folder, "中止", 0},
      {"Shift+Home empties", 1, 1, {VK_SHIFT}, VK_HOME, Path, "", "", 0},
      {"highlight: Enter starts editing", 1, 0, {}, VK_RETURN, Path, folder, "", 0},
      {"highlight: Esc keeps it, cancels", 1, 0, {}, VK_ESCAPE, Path, folder, "中止", 1},
      {"highlight: Right moves on", 1, 0, {}, VK_RIGHT, Next, folder, "", 0},
      {"highlight: Up moves back", 1, 0, {}, VK_UP, Other, folder, "", 0},
      {"editing: Right stays", 1, 1, {}, VK_RIGHT, Path, folder, "", 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    e->ReturnNext = c.returnNext;
    e->AlwaysEditMode = c.alwaysEdit;
    e->SetText(FolderText);
    ASSERT_TRUE(FocusOn(e));
    EXPECT_EQ(e->HighlightMode(), !c.alwaysEdit);
    ASSERT_TRUE(SendChord(f->Handle(), c.held, c.key));
    ASSERT_TRUE(Settle(f));
    TWinControl* at[] = {f->Path, f->Other, f->Next};
    EXPECT_EQ(GetFocus(), at[c.focus]->Handle());
    EXPECT_EQ(e->Text(), c.text);
    EXPECT_EQ(f->Pressed, c.pressed);
    EXPECT_EQ(e->HighlightMode(), c.highlightAfter);
    EXPECT_EQ(e->Color(), c.highlightAfter ? clHighlight : clWindow);
    delete f;
  }
}

// Typed as characters (SendInput's Unicode keys), pasted with Ctrl+V, or by WM_PASTE.
TEST_F(EditKeys, TypedAndPastedTextArrivesByteExact) {
  enum Input { Typed, CtrlV, Paste };
  struct Row {
    Input input;
    std::wstring text;
    int maxLength;
    std::string expected;
  };
  const Row rows[] = {
      {Typed, L"C:\\Program Files\\モリモ給与", 0, FolderText},
      {CtrlV, L"C:\\Program Files\\モリモ給与", 0, FolderText},
      {Paste, L"a\r\nb", 0, "ab"},
      {CtrlV, L"\tC:\\モリモ\r\n給与\n", 0, "C:\\モリモ給与"},
      {Paste, L"モリモ", 5, "モリ"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.expected);
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    e->SetMaxLength(r.maxLength);
    ASSERT_TRUE(FocusOn(e));
    // The field puts the text on the clipboard.
    f->Other->SetText(Narrow(r.text));
    f->Other->SelectAll();
    SendMessageW(f->Other->Handle(), WM_COPY, 0, 0);
    if (r.input == Typed) { ASSERT_TRUE(SendText(f->Handle(), Narrow(r.text))); }
    if (r.input == CtrlV) { ASSERT_TRUE(SendChord(f->Handle(), {VK_CONTROL}, 'V')); }
    if (r.input == Paste) SendMessageW(e->Handle(), WM_PASTE, 0, 0);
    ASSERT_TRUE(Settle(f));
    EXPECT_EQ(e->Text(), r.expected);
    EXPECT_EQ(GetFocus(), e->Handle());
    delete f;
  }
}

// Esc brings back the text of focus entry, selected, after which there is nothing to revert and
// the next Esc is the cancel button's. A handler that takes the undo over decides; without the
// automatic snapshot the program's holds.
TEST_F(EditKeys, EscRevertsToTheTextAtFocusEntry) {
  enum Undo { Own, Refused, ProgramSnapshot };
  for (Undo u : {Own, Refused, ProgramSnapshot}) {
    SCOPED_TRACE(u);
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    e->SetText(FolderText);
    if (u == Refused) e->OnUndo = [](TLuCustomEdit*, bool, bool&, bool& done) { done = true; };
    e->NoAutoSaveForUndo = u == ProgramSnapshot;
    e->UndoText = "D:\\";
    ASSERT_TRUE(FocusOn(e));
    ASSERT_TRUE(SendText(f->Handle(), "給与"));
    ASSERT_TRUE(Settle(f));
    const std::string reverted = u == Own ? FolderText : u == Refused ? "給与" : "D:\\";
    for (int esc = 0; esc < 2; ++esc) {
      ASSERT_TRUE(SendKeys(f->Handle(), {VK_ESCAPE}));
      ASSERT_TRUE(Settle(f));
      EXPECT_EQ(e->Text(), reverted);
      EXPECT_EQ(e->SelStart(), u == Refused ? 4 : 0);
      EXPECT_EQ(e->SelLength(), int(u == Refused ? 0 : reverted.size()));
      EXPECT_EQ(GetFocus(), e->Handle());
      EXPECT_EQ(f->Pressed, esc == 0 && u != Refused ? "" : "中止");
      f->Pressed.clear();
    }
    delete f;
  }
}

// Wine's input method gives no reading string: the reading lookup stands in for it. The readings
// of finished compositions collect and are reported once, after the next text change.
TEST_F(EditKeys, ReadingsAreReportedAfterTheTextChange) {
  static std::string reading;
  ReadResultReading = [](HWND) { return std::exchange(reading, "×"); };
  auto* f = ShowEdits();
  TLuEdit* e = f->Path;
  std::vector<std::string> reports;
  e->OnHurigana = [&](TComponent*, const std::string& kana) { reports.push_back(kana); };
  for (const char* next : {"ﾓﾘﾓ", "ｷｭｳﾖ"}) {
    reading = next;
    SendMessageW(e->Handle(), WM_IME_COMPOSITION, 0, GCS_RESULTREADSTR | GCS_RESULTSTR);
    // Without a reading the lookup is not asked.
    SendMessageW(e->Handle(), WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
  }
  EXPECT_TRUE(reports.empty());
  e->SetText("モリモ給与");
  e->SetText("給与");
  EXPECT_EQ(reports, std::vector<std::string>{"ﾓﾘﾓｷｭｳﾖ"});
  delete f;
  ReadResultReading = ImmResultReading;
}

// The input method's mode is set at every focus entry, on a read-only field too.
TEST_F(EditKeys, ImeModeIsSetAtFocusEntry) {
  struct Row {
    TImeMode mode;
    bool readOnly, open;
    DWORD conversion;
  };
  const DWORD kata = IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
  const Row rows[] = {{TImeMode::imOpen, 0, 1, 0},
                      {TImeMode::imClose, 1, 0, 0},
                      {TImeMode::imKata, 1, 1, kata},
                      {TImeMode::imDisable, 0, 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(int(r.mode));
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    e->ImeMode = r.mode;
    e->SetReadOnly(r.readOnly);
    HIMC imc = ImmGetContext(e->Handle());
    ImmSetOpenStatus(imc, !r.open);
    ImmSetConversionStatus(imc, 0, 0);
    ImmReleaseContext(e->Handle(), imc);
    ASSERT_TRUE(FocusOn(e));
    imc = ImmGetContext(e->Handle());
    DWORD conversion = 0, sentence = 0;
    if (imc) ImmGetConversionStatus(imc, &conversion, &sentence);
    EXPECT_EQ(imc != nullptr, r.mode != TImeMode::imDisable);
    EXPECT_EQ(imc && ImmGetOpenStatus(imc), r.open);
    EXPECT_EQ(conversion, r.conversion);
    ImmReleaseContext(e->Handle(), imc);
    delete f;
  }
}
