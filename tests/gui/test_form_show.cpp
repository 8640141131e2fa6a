// Forms from descriptions on the real display: what they show, keyboard navigation, scaling.
#include "tests/gui/GuiFixture.h"

TEST_F(GuiForm, DescribedFormShowsItsCaptionControlsAndFonts) {
  auto* f = NewForm<TfrmSample>(Application);
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  RECT client;
  GetClientRect(f->Handle(), &client);
  EXPECT_EQ(client.right, 660);
  EXPECT_EQ(client.bottom, 261);
  WindowContent seen = ReadWindow(f->Handle());
  EXPECT_EQ(seen.caption, "セットアップ");
  EXPECT_NE(seen.StaticText().find("本プログラムは、モリモVer.２の更新プログラムです。"),
            std::string::npos);
  EXPECT_EQ(seen.ButtonTexts(), (std::vector<std::string>{"更新の開始", "中止", "確認"}));
  LOGFONTA lf = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(f->Edit1->Handle(), WM_GETFONT, 0, 0)), sizeof lf,
             &lf);
  EXPECT_STREQ(lf.lfFaceName, "ＭＳ ゴシック");
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(f->Label2->Font.Color(), clMaroon);
  // Kept as an artefact of the run: build/win32/screenshots/gui_form.png.
  EXPECT_FALSE(SaveScreenshot("gui_form").empty());
  EXPECT_EQ(ReadText(Application->Handle()), "モリモVer.２の更新プログラム");
}

TEST_F(GuiForm, TabAndNextDlgCtlFollowTheTabOrder) {
  auto* f = NewForm<TfrmSample>(Application);
  f->Show();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f->ButtonOk->Handle(); }));
  EXPECT_EQ(f->ActiveControl(), f->ButtonOk);
  auto tab = [&] {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    PumpUntilIdle();
    return GetFocus();
  };
  EXPECT_EQ(tab(), f->ButtonCancel->Handle());
  EXPECT_EQ(tab(), f->Edit1->Handle());
  EXPECT_EQ(tab(), f->ButtonRaise->Handle());
  EXPECT_EQ(tab(), f->ButtonOk->Handle());
  SendMessageA(f->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(f->Edit1->Handle()), TRUE);
  EXPECT_EQ(GetFocus(), f->Edit1->Handle());
  EXPECT_EQ(f->ActiveControl(), f->Edit1);
  SendMessageA(f->Handle(), WM_NEXTDLGCTL, 1, FALSE);  // previous
  EXPECT_EQ(GetFocus(), f->ButtonCancel->Handle());
  // A disabled control is passed over.
  f->Edit1->SetEnabled(false);
  EXPECT_EQ(tab(), f->ButtonRaise->Handle());
}

TEST_F(GuiForm, FormsDesignedAt96DpiScaleToTheScreen) {
  Screen->PixelsPerInch = 120;
  auto* scaled = NewForm<TfrmSample>(nullptr);
  TFormDesc d = TfrmSample::Desc();
  d.Scaled = false;
  auto* fixed = NewForm<TForm>(nullptr, d);
  Screen->PixelsPerInch = 96;
  EXPECT_EQ(scaled->ClientWidth(), 825);
  EXPECT_EQ(scaled->ButtonOk->Width(), 156);
  EXPECT_EQ(scaled->Font.Height(), -20);
  EXPECT_EQ(fixed->ClientWidth(), 660);
  delete scaled;
  delete fixed;
}

TEST_F(GuiForm, ScaleByScalesPositionsSizesAndFonts) {
  auto* f = NewForm<TfrmSample>(nullptr);
  f->ScaleBy(4, 3);
  EXPECT_EQ(f->ClientWidth(), 880);
  EXPECT_EQ(f->ClientHeight(), 348);
  EXPECT_EQ(f->ButtonOk->Left(), 240);
  EXPECT_EQ(f->ButtonOk->Width(), 167);
  EXPECT_EQ(f->Font.Height(), -21);
  EXPECT_EQ(f->Label1->Font.Height(), -21);  // from the form
  EXPECT_EQ(f->Label2->Font.Height(), -21);  // its own font, scaled
  EXPECT_EQ(f->Label2->Font.Color(), clMaroon);
  delete f;
}

TEST_F(GuiForm, KeyPreviewSeesKeysFirstAndMaySwallowThem) {
  auto* f = NewForm<TfrmSample>(Application);
  std::vector<WORD> keys;
  f->KeyPreview = true;
  f->OnKeyDown = [&](TComponent*, WORD& key, std::uint8_t) {
    keys.push_back(key);
    if (key == VK_TAB) key = 0;  // swallowed: the focus stays
  };
  f->Show();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f->ButtonOk->Handle(); }));
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  PostMessageA(GetFocus(), WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(PumpUntil([&] { return keys.size() == 2; }));
  EXPECT_EQ(keys, (std::vector<WORD>{VK_TAB, 'A'}));
  EXPECT_EQ(GetFocus(), f->ButtonOk->Handle());
}

TEST_F(GuiForm, CloseAsksCloseQueryThenFollowsTheCloseAction) {
  struct Watch : TComponent {
    bool freed = false;
    void Notification(TComponent* c, TOperation op) override {
      TComponent::Notification(c, op);
      if (op == TOperation::Remove) freed = true;
    }
  } watch;
  auto* f = NewForm<TfrmSample>(Application);
  f->FreeNotification(&watch);
  bool allow = false;
  TCloseAction next = TCloseAction::Hide;
  f->OnCloseQuery = [&](TComponent*, bool& can) { can = allow; };
  f->OnClose = [&](TComponent*, TCloseAction& action) {
    EXPECT_EQ(action, TCloseAction::Hide);  // the default of a form that is not the main form
    action = next;
  };
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  f->Close();
  EXPECT_TRUE(IsWindowVisible(f->Handle()));  // refused
  allow = true;
  f->Close();
  EXPECT_FALSE(f->Visible());
  f->Show();
  next = TCloseAction::Free;
  PostMessageA(f->Handle(), WM_CLOSE, 0, 0);
  // Freed once the queued messages have been handled.
  EXPECT_TRUE(PumpUntil([&] { return watch.freed; }));
  EXPECT_FALSE(Application->Terminated());
}
