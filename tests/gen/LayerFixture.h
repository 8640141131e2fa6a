// The fixture of the window layer's tests: the program's modules started for each test, as the
// program starts them, and plain work forms to show.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Modules.h"
#include "gen/ErrorDocument.h"
#include "gen0/GenModules.h"
#include "gen/WorkForm.h"
#include "gen/WorkLayer.h"
#include "gen0/GenLog.h"
#include "gui/Application.h"
#include "services/ExceptionHook.h"
#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {
std::vector<std::string> g_errorLog;

// Takes the application's exception event over while it lives.
struct ExceptionRecorder {
  ExceptionRecorder() { ApplicationExceptionHandler = TExceptionHandler::Bind<&ExceptionRecorder::Record>(this); }
  ~ExceptionRecorder() { ApplicationExceptionHandler = {}; }
  void Record(TComponent*, const Exception& e) { messages.push_back(e.Message); }
  std::vector<std::string> messages;
};

class WorkLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    run_ = std::make_unique<ModuleRun>(ProgramModules, ProgramModuleCount);
    run_->Start();
    Application->Initialize();
    savedWriter_ = LogErrorWriter;
    LogErrorWriter = [](const std::string& entry) { g_errorLog.push_back(entry); };
    ErrorLogEnabled = true;
    g_errorLog.clear();
  }
  void TearDown() override {
    ErrorLogEnabled = false;
    LogErrorWriter = savedWriter_;
    // Notices left over would show the module stop's box; its own test keeps them.
    if (clearNotices_ && ErrorDocument) ErrorDocument->Clear();
    Application->Teardown();
    run_.reset();
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
  std::unique_ptr<ModuleRun> run_;
  bool clearNotices_ = true;
};
}  // namespace
