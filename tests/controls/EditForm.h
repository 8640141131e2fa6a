// The edit field's tests: a form in the manner of the installed-folder dialog (a return-key
// button, a default and a cancel button, a second field and the folder field, in that tab order,
// so that the button has the focus when it shows), and the fixture that shows it.
#pragma once

#include "controls/LuButton.h"
#include "controls/LuEdit.h"
#include "gui/Form.h"
#include "tests/gui/GuiFixture.h"

inline const std::string FolderText = "C:\\Program Files\\モリモ給与";

// The folder dialog's kind of form and font.
inline TFormDesc EditFormDesc(const char* caption, int width, int height) {
  return {.Caption = caption, .ClientWidth = width, .ClientHeight = height,
          .BorderStyle = TBorderStyle::Dialog, .Position = TPosition::ScreenCenter,
          .Font = {.Name = "ＭＳ ゴシック", .Height = -16}};
}

class TfrmEdits : public TForm {
 public:
  explicit TfrmEdits(TComponent* owner) : TForm(owner, EditFormDesc("セットアップ", 444, 130)) {
    Next = Add<TLuButton>(12, 88, 125, 29, "更新の開始");
    Add<TButton>(150, 88, 100, 29, "既定")->SetDefault(true);
    Add<TButton>(262, 88, 75, 29, "中止")->SetCancel(true);
    Other = Add<TLuEdit>(12, 48, 420, 24);
    Path = Add<TLuEdit>(12, 12, 420, 24);
    // F9 ends typed keys: once the form sees it, all typed before it is handled.
    KeyPreview = true;
    OnKeyDown = [this](TComponent*, WORD& key, std::uint8_t) { Ended |= key == VK_F9; };
  }
  TLuButton* Next;
  TLuEdit* Other;
  TLuEdit* Path;
  std::string Pressed;  // the captions of the buttons pressed
  bool Ended = false;

 private:
  template <class T>
  T* Add(int left, int top, int width, int height, const char* caption = nullptr) {
    T* c = NewControl<T>(this, this, left, top, width, height);
    if (caption) {
      c->SetCaption(caption);
      c->OnClick = [this, caption](TComponent*) { Pressed += caption; };
    }
    return c;
  }
};

namespace {
class EditForm : public GuiForm {
 protected:
  TfrmEdits* ShowEdits() {
    auto* f = NewForm<TfrmEdits>(Application);
    f->Show();
    EXPECT_TRUE(PumpUntilIdle());
    return f;
  }
  static bool FocusOn(TWinControl* c) {
    c->SetFocus();
    return PumpUntil([&] { return GetFocus() == c->Handle(); }) && PumpUntilIdle();
  }
  // Types F9 and handles everything up to it.
  static bool Settle(TfrmEdits* f) {
    f->Ended = false;
    return SendKeys(f->Handle(), {VK_F9}) && PumpUntil([&] { return f->Ended; }) &&
           PumpUntilIdle();
  }
};
}  // namespace
