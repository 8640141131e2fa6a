// Enter, Shift+Enter, Alt+Enter and Esc typed into the return-key memo and button: where the
// focus goes, whether a line break is made and which button is pressed; and the undo event.
#include "tests/controls/RetNextForm.h"
#include "tests/gui/GuiFixture.h"

namespace {
class ReturnKeys : public GuiForm {};

enum { Field, Memo, Ok, Default };
struct KeyCase {
  const char* name;
  bool readOnly, returnNext, altEnter, buttonReturnNext;
  int start;
  std::vector<WORD> held;
  WORD key;
  int focus;
  bool lineBreak;
  const char* pressed;  // captions of the buttons pressed
};
}  // namespace

TEST_F(ReturnKeys, MoveTheFocusOrBreakTheLine) {
  const KeyCase cases[] = {
      {"read-only: Enter moves on", 1, 1, 0, 0, Memo, {}, VK_RETURN, Ok, 0, ""},
      {"read-only: Shift+Enter moves back", 1, 1, 0, 0, Memo, {VK_SHIFT}, VK_RETURN, Field, 0, ""},
      {"without ReturnNext: a line break", 0, 0, 0, 0, Memo, {}, VK_RETURN, Memo, 1, ""},
      {"without ReturnNext, read-only: stays", 1, 0, 0, 0, Memo, {}, VK_RETURN, Memo, 0, ""},
      {"without ReturnNext: Esc cancels", 0, 0, 0, 0, Memo, {}, VK_ESCAPE, Memo, 0, "取消"},
      {"with ReturnNext: Esc stays", 1, 1, 0, 0, Memo, {}, VK_ESCAPE, Memo, 0, ""},
      {"AltEnter: moves on", 1, 1, 1, 0, Memo, {VK_MENU}, VK_RETURN, Ok, 0, ""},
      {"no AltEnter: nothing", 1, 1, 0, 0, Memo, {VK_MENU}, VK_RETURN, Memo, 0, ""},
      {"AltEnter without ReturnNext: a line break", 0, 0, 1, 0, Memo, {VK_MENU}, VK_RETURN, Memo,
       1, ""},
      {"button: Enter moves on", 1, 1, 0, 1, Ok, {}, VK_RETURN, Default, 0, ""},
      {"button: Shift+Enter moves back", 1, 1, 0, 1, Ok, {VK_SHIFT}, VK_RETURN, Memo, 0, ""},
      {"button without ReturnNext: pressed", 1, 1, 0, 0, Ok, {}, VK_RETURN, Ok, 0, "OK"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* f = NewForm<TfrmRetNext>(Application);
    TWinControl* at[] = {f->Edit, f->Memo, f->Ok, f->Default};
    f->Memo->SetReadOnly(c.readOnly);
    f->Memo->ReturnNext = c.returnNext;
    f->Memo->AltEnter = c.altEnter;
    f->Ok->ReturnNext = c.buttonReturnNext;
    // F9 ends the typed keys: once the form sees it, all before it is handled.
    bool ended = false;
    f->KeyPreview = true;
    f->OnKeyDown = [&](TComponent*, WORD& key, std::uint8_t) { ended |= key == VK_F9; };
    f->Show();
    at[c.start]->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == at[c.start]->Handle(); }));
    f->Memo->SetSel(int(NoticeText.size()), 0);
    ASSERT_TRUE(SendChord(f->Handle(), c.held, c.key));
    ASSERT_TRUE(SendKeys(f->Handle(), {VK_F9}));
    ASSERT_TRUE(PumpUntil([&] { return ended; }));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(GetFocus(), at[c.focus]->Handle());
    EXPECT_EQ(f->Memo->Text(), c.lineBreak ? NoticeText + "\r\n" : NoticeText);
    EXPECT_EQ(f->Pressed, c.pressed);
    // Kept as an artefact: the form with the focus moved from the memo to its button.
    if (&c == cases) { EXPECT_FALSE(SaveScreenshot("controls_retnext_form").empty()); }
    delete f;
  }
}

// Each undo message asks OnUndo first (EM_CANUNDO as the test); a handler that sets EventDone
// answers with UndoDone, and the memo's own undo is skipped.
TEST_F(ReturnKeys, UndoMessagesAskOnUndoFirst) {
  enum Handler { None, Passes, Done, Refuses };
  auto* f = NewForm<TfrmRetNext>(Application);
  TLuMemo* memo = f->Memo;
  memo->SetReadOnly(false);
  f->Show();
  for (Handler h : {None, Passes, Done, Refuses}) {
    for (UINT msg : {EM_CANUNDO, EM_UNDO, WM_UNDO}) {
      SCOPED_TRACE(testing::Message() << "handler " << h << ", message " << msg);
      std::vector<std::string> calls;
      memo->OnUndo = nullptr;
      if (h != None)
        memo->OnUndo = [&](TLuMemo* m, bool test, bool& undoDone, bool& eventDone) {
          calls.push_back((m == memo ? "" : "?") + std::to_string(test) +
                          std::to_string(undoDone) + std::to_string(eventDone));
          if (h != Passes) undoDone = h == Done, eventDone = true;
        };
      memo->SetText("元の文");
      memo->SelectAll();
      memo->ReplaceSel("新しい文");
      bool test = msg == EM_CANUNDO;
      EXPECT_EQ(SendMessageW(memo->Handle(), msg, 0, 0), h == Refuses ? 0 : 1);
      EXPECT_EQ(memo->Text(), !test && h < Done ? "元の文" : "新しい文");
      EXPECT_EQ(calls, h == None ? std::vector<std::string>{}
                                 : std::vector<std::string>{test ? "100" : "000"});
    }
  }
  delete f;
}
