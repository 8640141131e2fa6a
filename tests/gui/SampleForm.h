// A form built from a description in the manner of the product's dialogs, for the toolkit tests.
#pragma once

#include "gui/Button.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/Image.h"
#include "gui/Label.h"

// A picture of one circle per square of the bitmap's height, on the background colour (which
// the bottom-left pixel makes transparent).
HBITMAP MakeTestBitmap(int width, int height, COLORREF back, COLORREF front);

class TfrmSample : public TForm {
 public:
  explicit TfrmSample(TComponent* owner);
  std::string ClassName() const override { return "TfrmSample"; }
  static TFormDesc Desc();

  TLabel* Label1;
  TLabel* Label2;
  TCustomEdit* Edit1;
  TButton* ButtonOk;
  TButton* ButtonCancel;
  TButton* ButtonRaise;
  TImage* Image1;

 private:
  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* c = New<T>(this);
    c->SetParent(this);
    c->SetBounds(left, top, width, height);
    return c;
  }
};
