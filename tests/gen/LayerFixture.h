// The fixture of the window layer's tests: the GUI layer and the work-form layer started for
// each test, and a plain work form to show.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gen/WorkForm.h"
#include "gen/WorkLayer.h"
#include "gen0/GenLog.h"
#include "gui/Application.h"
#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {
std::vector<std::string> g_errorLog;

class WorkLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiStartup();
    Application->Initialize();
    WorkLayerStartup();
    WorkFormStartup();
    savedWriter_ = LogErrorWriter;
    LogErrorWriter = [](const std::string& entry) { g_errorLog.push_back(entry); };
    ErrorLogEnabled = true;
    g_errorLog.clear();
  }
  void TearDown() override {
    ErrorLogEnabled = false;
    LogErrorWriter = savedWriter_;
    Application->Teardown();
    WorkFormShutdown();
    WorkLayerShutdown();
    GuiShutdown();
  }

  static TFormDesc Desc(const char* caption, int left) {
    TFormDesc d;
    d.Caption = caption;
    d.ClientWidth = 300;
    d.ClientHeight = 200;
    d.Left = left;
    d.Top = 100;
    return d;
  }
  static TfrmGenWorkForm* NewWorkForm(const char* caption, int left = 100) {
    return NewForm<TfrmGenWorkForm>(Application, Desc(caption, left));
  }
  // Whether any error-log entry holds text.
  static bool Logged(const std::string& text) {
    for (const std::string& e : g_errorLog)
      if (e.find(text) != std::string::npos) return true;
    return false;
  }

  TLogWriter savedWriter_ = nullptr;
};
}  // namespace
