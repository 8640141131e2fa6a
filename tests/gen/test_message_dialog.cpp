// The message dialog as built and as shown: kinds, default, cancel and focus buttons, keys,
// layout, the time-out, the hooks and the placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "gen/MessageDialog.h"
#include "gui/Application.h"
#include "gui/Image.h"
#include "gui/Screen.h"
#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {
class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiStartup();
    Application->SetTitle("モリモVer.２の更新プログラム");
  }
  void TearDown() override { GuiShutdown(); }
};

using Dialog = std::unique_ptr<TLuMessageForm>;
TDialogButtons B(std::initializer_list<TDialogButton> b) { return ButtonSet(b); }

// The names of the buttons that carry a mark, and all shown captions, left to right.
std::string Buttons(TLuMessageForm& d, bool (TButton::*mark)() const) {
  std::string out;
  for (TComponent* c : d.Components())
    if (auto* b = dynamic_cast<TBitBtn*>(c); b && (!mark || (b->*mark)()))
      out += (out.empty() ? "" : "|") + (mark ? b->Name() : b->Text());
  return out;
}

// A key that did nothing leaves the dialog open: closed with Cancel, the test fails instead of
// waiting for ever.
bool ClosedOrClose(HWND w) {
  if (PollUntil([w] { return !IsWindowVisible(w); }, DefaultTimeout)) return true;
  PostMessageA(w, WM_CLOSE, 0, 0);
  return false;
}

// Shows through show while a helper thread waits for the dialog, reads the focused control
// and acts.
struct Outcome {
  int result = -1;
  std::string focused;
  bool acted = false;
};
Outcome Answered(const char* caption, const Action& act, const std::function<int()>& show) {
  Outcome o;
  Answerer a(Matching({"", caption}), [&](HWND w) {
    PollUntil([w] { return IsChild(w, FocusOf(w)); }, DefaultTimeout);
    o.focused = ReadText(FocusOf(w));
    return act(w) && ClosedOrClose(w);
  });
  o.result = show();
  o.acted = a.Join().acted;
  return o;
}

Action Chars(std::string chars, UINT msg = WM_CHAR) {
  return [=](HWND w) {
    for (char c : chars) PostMessageA(FocusOf(w), msg, WPARAM(c), msg == WM_SYSCHAR ? 1 << 29 : 1);
    return true;
  };
}
Action Keys(std::vector<WORD> keys) {
  return [=](HWND w) { return SendKeys(w, keys); };
}

std::vector<std::pair<std::string, int>> s_results;
void RecordResult(const std::string& text, int result) { s_results.emplace_back(text, result); }
}  // namespace

TEST_F(MessageDialogTest, KindsDefaultCancelAndFocusButtons) {
  struct Case {
    DialogKind kind;
    TDialogButtons buttons;
    int defaultIndex, defaultButton;
    const char *caption, *captions, *def, *cancel, *focus;
    WORD icon;
  };
  const Case cases[] = {
      {DialogKind::Information, B({mbOK}), 0, 2, "情報", "OK", "OK", "OK", "OK", 32516},
      {DialogKind::Warning, B({mbYes, mbNo}), 5, 2, "警告", "はい(&Y)|いいえ(&N)", "Yes", "No", "",
       32515},
      {DialogKind::Error, B({mbAbort, mbRetry, mbIgnore}), -1, mbIgnore, "ｴﾗｰ",
       "中止|再試行(&R)|無視(&I)", "Retry", "", "Ignore", 32513},
      {DialogKind::Confirmation, B({mbYes, mbNo, mbCancel}), 1, 2, "確認",
       "はい(&Y)|いいえ(&N)|キャンセル", "Yes", "Cancel", "No", 32514},
      {DialogKind::Custom, B({mbAll, mbNoToAll, mbYesToAll, mbHelp}), -1, mbOK,
       "モリモVer.２の更新プログラム", "すべて(&A)|すべていいえ(&O)|すべてはい(&E)|ヘルプ(&H)", "",
       "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    Dialog d(BuildMessageForm("本文", c.kind, c.buttons, 0, c.defaultIndex, c.defaultButton));
    EXPECT_EQ(d->Caption(), c.caption);
    EXPECT_EQ(Buttons(*d, nullptr), c.captions);
    EXPECT_EQ(Buttons(*d, &TButton::Default), c.def);
    EXPECT_EQ(Buttons(*d, &TButton::Cancel), c.cancel);
    EXPECT_EQ(d->FocusButton ? d->FocusButton->Name() : "", c.focus);
    auto* image = dynamic_cast<TImage*>(d->FindComponent("Image"));
    EXPECT_EQ(image ? image->Icon() : nullptr,
              c.icon ? LoadIconW(nullptr, MAKEINTRESOURCEW(c.icon)) : nullptr);
    for (TComponent* x : d->Components()) {
      auto* b = dynamic_cast<TBitBtn*>(x);
      if (b) {
        EXPECT_EQ(b->Glyph() != nullptr, b->Name().find("ToAll") == std::string::npos);
      }
    }
  }
}

TEST_F(MessageDialogTest, ButtonsAndKeysGiveTheirResults) {
  std::atomic<int> help{0};
  Application->OnHelp = [&](int context) {
    help = context;
    return true;
  };
  struct Case {
    const char* name;
    TDialogButtons buttons;
    int defaultIndex;
    Action act;
    const char* focused;
    int expected;
  };
  const Case cases[] = {
      {"OK clicked", B({mbOK}), 0, PressCaption("OK", PressBy::Click), "OK", mrOk},
      {"Enter", B({mbOK}), 0, PostKeyToFocus(VK_RETURN), "OK", mrOk},
      {"Esc", B({mbOK}), 0, PostKeyToFocus(VK_ESCAPE), "OK", mrOk},
      {"Esc does nothing, then i", B({mbAbort, mbIgnore}), 0,
       [](HWND w) { return PostKey(FocusOf(w), VK_ESCAPE) && Chars("i")(w); }, "中止", mrIgnore},
      {"F4 over the focused No", B({mbYes, mbNo}), 1, Keys({VK_F4}), "いいえ(&N)", mrYes},
      {"F5", B({mbYes, mbNo}), 0, Keys({VK_F5}), "はい(&Y)", mrYes},
      {"F10", B({mbYes, mbNo}), 0, Keys({VK_F10}), "はい(&Y)", mrNo},
      {"F12", B({mbYes, mbNo}), 0, Keys({VK_F12}), "はい(&Y)", mrNo},
      {"F4 without Yes, then Esc", B({mbOK, mbCancel}), 0, Keys({VK_F4, VK_ESCAPE}), "OK",
       mrCancel},
      {"Alt+Y", B({mbYes, mbNo, mbCancel}), 2, Chars("y", WM_SYSCHAR), "キャンセル", mrYes},
      {"n", B({mbYes, mbNo, mbCancel}), 0, Chars("n"), "はい(&Y)", mrNo},
      {"r", B({mbAbort, mbRetry, mbIgnore}), 0, Chars("r"), "中止", mrRetry},
      {"a presses All, Abort has no letter", B({mbAbort, mbAll}), 0, Chars("a"), "中止", mrAll},
      {"o", B({mbNoToAll, mbYesToAll}), 0, Chars("o"), "すべていいえ(&O)", mrNoToAll},
      {"e", B({mbNoToAll, mbYesToAll}), 0, Chars("e"), "すべていいえ(&O)", mrYesToAll},
      {"Help stays open", B({mbOK, mbHelp}), 1,
       [&](HWND w) {
         return PressButton(w, "ヘルプ(H)") &&
                PollUntil([&] { return help == 77; }, DefaultTimeout) && IsWindowVisible(w) &&
                PressButton(w, "OK");
       },
       "ヘルプ(&H)", mrOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Outcome o = Answered("確認", c.act, [&] {
      return MessageDialogAt("よろしいですか？", DialogKind::Confirmation, c.buttons, 77, -1, -1,
                             "", c.defaultIndex);
    });
    EXPECT_TRUE(o.acted);
    EXPECT_EQ(o.focused, c.focused);
    EXPECT_EQ(o.result, c.expected);
  }
}

TEST_F(MessageDialogTest, ALongTextWrapsAndTheDialogGrowsDownward) {
  std::string words;
  while (words.size() < 600) words += "update folder ";
  const TDialogButtons buttons = B({mbYes, mbNo, mbCancel});
  Dialog small(BuildMessageForm("短い", DialogKind::Information, buttons, 0, 0, 2));
  Dialog large(BuildMessageForm(words, DialogKind::Information, buttons, 0, 0, 2));
  auto* one = dynamic_cast<TWinControl*>(small->FindComponent("Message"));
  auto* text = dynamic_cast<TWinControl*>(large->FindComponent("Message"));
  EXPECT_LE(text->Width(), Screen->Width() / 2);
  EXPECT_GT(text->Width(), Screen->Width() / 2 - 120);
  EXPECT_GE(text->Height(), 4 * one->Height());
  EXPECT_EQ(large->ClientHeight() - small->ClientHeight(),
            text->Height() - std::max(one->Height(), 32));
  EXPECT_EQ(large->Left(), Screen->Width() / 2 - large->Width() / 2);
  EXPECT_EQ(large->Top(), Screen->Height() / 2 - large->Height() / 2);
  // One row under the text, equal widths and gaps, centred.
  auto* yes = dynamic_cast<TWinControl*>(large->FindComponent("Yes"));
  auto* no = dynamic_cast<TWinControl*>(large->FindComponent("No"));
  auto* cancel = dynamic_cast<TWinControl*>(large->FindComponent("Cancel"));
  EXPECT_GT(yes->Top(), text->Top() + text->Height());
  EXPECT_EQ(no->Top(), yes->Top());
  EXPECT_EQ(cancel->Width(), yes->Width());
  EXPECT_EQ(no->Left() - yes->Left(), cancel->Left() - no->Left());
  EXPECT_NEAR(yes->Left(), large->ClientWidth() - cancel->Left() - cancel->Width(), 1);
}

TEST_F(MessageDialogTest, TimeOutHooksAndAFailedShow) {
  struct Probe {
    TLuMessageForm* built = nullptr;
    void Created(TLuMessageForm* d) { built = d; }
  } probe;
  OnDialogCreated = TDialogCreatedEvent::Bind<&Probe::Created>(&probe);
  OnDialogResult = RecordResult;
  Answerer seen(Matching({"", "確認"}), [](HWND) { return true; });
  EXPECT_EQ(MessageDialogOwnedEx("時間切れ", DialogKind::Confirmation, B({mbYes, mbNo}), nullptr,
                                 "", 2000, 0, 2),
            mrCancel);
  EXPECT_TRUE(seen.Join().found);
  EXPECT_NE(probe.built, nullptr);
  EXPECT_EQ(s_results, (std::vector<std::pair<std::string, int>>{{"時間切れ", mrCancel}}));

  // A dialog that cannot be shown modally: the error reaches the caller, the dialog is freed
  // and no result is reported.
  std::unique_ptr<TFreeWatch> watch;
  OnDialogCreated =
      TDialogCreatedEvent{[](void* p, TLuMessageForm* d) {
                            static_cast<std::unique_ptr<TFreeWatch>*>(p)->reset(new TFreeWatch(d));
                            d->SetEnabled(false);
                          },
                          &watch};
  EXPECT_THROW(MessageDialog("表示不可", DialogKind::Error, B({mbOK}), 0, 0), Exception);
  EXPECT_TRUE(watch->Freed());
  EXPECT_EQ(s_results.size(), 1u);
  OnDialogCreated = {};
  OnDialogResult = nullptr;
}

TEST_F(MessageDialogTest, OwnedDialogsCentreOnTheOwnerAndTakeTheCaption) {
  TFormDesc desc;
  desc.ClientWidth = 500;
  desc.ClientHeight = 300;
  auto* owner = Application->CreateForm<TForm>(desc);
  owner->Show();
  RECT client, work, r = {};
  GetClientRect(owner->Handle(), &client);
  MapWindowPoints(owner->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    TWinControl* owner;
    const char *caption, *shown;
    RECT centre;
  } cases[] = {{owner, "独自の見出し", "独自の見出し", client}, {nullptr, "", "警告", work}};
  for (const Case& c : cases) {
    Outcome o = Answered(
        c.shown, [&](HWND w) { return GetWindowRect(w, &r) && PressButton(w, "OK"); },
        [&] {
          return MessageDialogOwned("注意", DialogKind::Warning, B({mbOK}), c.owner, c.caption, 0);
        });
    EXPECT_EQ(o.result, mrOk) << c.shown;
    EXPECT_NEAR(r.left + r.right, c.centre.left + c.centre.right, 2) << c.shown;
    EXPECT_NEAR(r.top + r.bottom, c.centre.top + c.centre.bottom, 2) << c.shown;
  }
}

TEST(PlaceRect, CentresAndKeepsInside) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    RECT rect, reference;
    int mode;
    POINT expected;
  };
  const Case cases[] = {
      {{0, 0, 40, 20}, {0, 0, 100, 100}, 0, {30, 40}},
      {{0, 0, 21, 21}, {0, 0, 10, 10}, 0, {-5, -5}},           // halved toward zero
      {{0, 0, 300, 50}, {100, 100, 300, 300}, 1, {100, 175}},  // wider than the reference
      {{280, 290, 330, 340}, {100, 100, 300, 300}, -1, {250, 250}},
      {{150, 150, 200, 200}, {100, 100, 300, 300}, -1, {150, 150}},
      {{-500, 5, -400, 105}, {0, 0, 1, 1}, -2, {work.left, std::max<LONG>(work.top, 5)}},
      {{0, 0, 100, 100}, {5000, 5000, 5002, 5002}, 3, {work.right - 100, work.bottom - 100}},
  };
  for (const Case& c : cases) {
    RECT r = c.rect;
    PlaceRect(r, c.reference, c.mode);
    RECT expected = c.rect;
    OffsetRect(&expected, c.expected.x - c.rect.left, c.expected.y - c.rect.top);
    EXPECT_TRUE(EqualRect(&r, &expected)) << c.mode << ": " << r.left << "," << r.top;
  }
}
