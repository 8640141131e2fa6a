// The fixture of the toolkit's window tests: the GUI layer started for each test, and
// helpers that show forms and pump their messages.
#pragma once

#include <gtest/gtest.h>

#include <atomic>

#include "gui/Application.h"
#include "gui/Screen.h"
#include "gui/Timer.h"
#include "services/ExceptionHook.h"
#include "tests/gui/SampleForm.h"
#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {
class GuiForm : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiStartup();
    Application->Initialize();
    Application->SetTitle("モリモVer.２の更新プログラム");
  }
  void TearDown() override { GuiShutdown(); }

  TForm* ShowMainForm() {
    TFormDesc d;
    d.Caption = "メイン";
    d.ClientWidth = 400;
    d.ClientHeight = 300;
    d.Position = TPosition::ScreenCenter;
    auto* main = Application->CreateForm<TForm>(d);
    main->Show();
    EXPECT_TRUE(PumpUntilIdle());
    return main;
  }
};

struct ExceptionCounter {
  std::atomic<int> count{0};
  std::string message;
  TComponent* sender = nullptr;
  void Handle(TComponent* s, const Exception& e) {
    message = e.Message;
    sender = s;
    ++count;
  }
};
}  // namespace
