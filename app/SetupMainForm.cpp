#include "app/SetupMainForm.h"

#include "gui/Label.h"

TfrmSetupMain* frmSetupMain = nullptr;

TFormDesc TfrmSetupMain::Desc() {
  TFormDesc d;
  d.Caption = "セットアップ";
  d.ClientWidth = 890;
  d.ClientHeight = 623;
  // Maximise only, without the system menu: the title bar has no close button.
  d.BorderStyle = TBorderStyle::Single;
  d.BorderIcons = biMaximize;
  d.Position = TPosition::ScreenCenter;
  d.WindowState = TWindowState::Maximized;
  d.Color = clNavy;
  d.Font = {"ＭＳ Ｐゴシック", -50, clWhite, 0, SHIFTJIS_CHARSET};
  return d;
}

TfrmSetupMain::TfrmSetupMain(TComponent* owner) : TfrmGenWorkForm(owner, Desc()) {
  Label1 = NewControl<TLabel>(this, this, 8, 8, 897, 50);
  Label1->SetAutoSize(false);
  Label1->Font.Set({"ＭＳ Ｐ明朝", -50, clWhite, fsItalic, SHIFTJIS_CHARSET});
  Label1->SetCaption("セットアップ");
  SetAutoClearRef(&frmSetupMain);
}
