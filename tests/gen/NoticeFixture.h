// The window layer with the error document bound to the application's exception event, as
// the main sequence leaves it.
#pragma once

#include "gen/ErrorDocument.h"
#include "gen/NoticeWindow.h"
#include "controls/LuButton.h"
#include "controls/LuMemo.h"
#include "tests/gen/LayerFixture.h"

namespace {
class Notices : public WorkLayer {
 protected:
  void SetUp() override {
    WorkLayer::SetUp();
    NoticeStartup();
  }
  TfrmGenError* Window() { return ErrorDocument->Window(); }
  std::string MemoText() { return Window()->LuMemo1->Text(); }
};
}  // namespace
