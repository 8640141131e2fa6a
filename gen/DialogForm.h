// The base of the dialog-like work forms, such as the progress window.
#pragma once

#include "gen/WorkForm.h"

class TfrmGenForm : public TfrmGenWorkForm {
 public:
  // The form as designed: "frmGenDialog", a dialog border with the system menu only, client
  // 238 × 168, "ＭＳ Ｐゴシック" −12, centred on its owner, not scaled.
  static TFormDesc Desc();
  TfrmGenForm(TComponent* owner, const TFormDesc& desc) : TfrmGenWorkForm(owner, desc) {}
  explicit TfrmGenForm(TComponent* owner) : TfrmGenForm(owner, Desc()) {}
  std::string ClassName() const override { return "TfrmGenForm"; }
};
