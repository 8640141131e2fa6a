#include "gen/DialogForm.h"

TFormDesc TfrmGenForm::Desc() {
  TFormDesc d;
  d.Caption = "frmGenDialog";
  d.ClientWidth = 238;
  d.ClientHeight = 168;
  d.BorderStyle = TBorderStyle::Dialog;
  d.BorderIcons = biSystemMenu;
  d.Position = TPosition::OwnerFormCenter;
  d.Font = {"ＭＳ Ｐゴシック", -12, clWindowText, 0, SHIFTJIS_CHARSET};
  d.Scaled = false;
  return d;
}
