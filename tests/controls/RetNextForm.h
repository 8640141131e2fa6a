// A form in the manner of the notice window, for the return-key controls' tests: a field, the
// read-only memo, a return-key button, a default and a cancel button, in that tab order.
#pragma once

#include "controls/LuButton.h"
#include "controls/LuMemo.h"
#include "gui/Form.h"
#include "tests/support/TestForms.h"

inline const std::string NoticeText = "更新処理に失敗しました\r\nファイルを削除できません";

class TfrmRetNext : public TForm {
 public:
  explicit TfrmRetNext(TComponent* owner) : TForm(owner, Desc()) {
    Edit = Add<TCustomEdit>(8, 8, 344, 24);
    Memo = Add<TLuMemo>(8, 40, 344, 110);
    Memo->SetReadOnly(true);
    Memo->SetText(NoticeText);
    Ok = Add<TLuButton>(104, 162, 75, 25, "OK");
    Default = Add<TButton>(188, 162, 75, 25, "閉じる");
    Default->SetDefault(true);
    Cancel = Add<TButton>(272, 162, 75, 25, "取消");
    Cancel->SetCancel(true);
  }
  TCustomEdit* Edit;
  TLuMemo* Memo;
  TLuButton* Ok;
  TButton* Default;
  TButton* Cancel;
  std::string Pressed;  // the captions of the buttons pressed

 private:
  static TFormDesc Desc() {
    return guitest::CentredDialog("お知らせ", 360, 200);
  }
  template <class T>
  T* Add(int left, int top, int width, int height, const char* caption = nullptr) {
    T* c = New<T>(this);
    c->SetParent(this);
    c->SetBounds(left, top, width, height);
    if (caption) {
      c->SetCaption(caption);
      c->OnClick = [this, caption](TComponent*) { Pressed += caption; };
    }
    return c;
  }
};
