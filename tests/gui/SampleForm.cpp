#include "tests/gui/SampleForm.h"

#include "gui/GdiObject.h"

HBITMAP MakeTestBitmap(int width, int height, COLORREF back, COLORREF front) {
  WindowDC screen(nullptr);
  HBITMAP b = CreateCompatibleBitmap(screen.Get(), width, height);
  MemoryDC mem(screen.Get());
  SelectedObject sel(mem.Get(), b);
  RECT all = {0, 0, width, height};
  GdiObject<HBRUSH> backBrush(CreateSolidBrush(back)), frontBrush(CreateSolidBrush(front));
  FillRect(mem.Get(), &all, backBrush.Get());
  SelectedObject brush(mem.Get(), frontBrush.Get());
  for (int x = 0; x < width; x += height) Ellipse(mem.Get(), x + 3, 3, x + height - 3, height - 3);
  return b;
}

TFormDesc TfrmSample::Desc() {
  TFormDesc d;
  d.Caption = "セットアップ";
  d.ClientWidth = 660;
  d.ClientHeight = 261;
  d.BorderStyle = TBorderStyle::Dialog;
  d.BorderIcons = biSystemMenu;
  d.Position = TPosition::ScreenCenter;
  d.Color = clBtnFace;
  d.Font = {"ＭＳ ゴシック", -16, clWindowText, 0, SHIFTJIS_CHARSET};
  return d;
}

TfrmSample::TfrmSample(TComponent* owner) : TForm(owner, Desc()) {
  Label1 = Add<TLabel>(12, 12, 496, 16);
  Label1->SetName("Label1");
  Label1->SetCaption("本プログラムは、モリモVer.２の更新プログラムです。");
  Label1->SetAutoSize(false);
  Label1->SetBounds(12, 12, 496, 16);
  Label2 = Add<TLabel>(12, 128, 576, 16);
  Label2->SetName("Label2");
  Label2->SetCaption("更新処理を開始する前に、他のすべてのアプリケーションを終了してください。");
  Label2->Font.SetColor(clMaroon);
  Edit1 = Add<TCustomEdit>(12, 92, 633, 24);
  Edit1->SetName("Edit1");
  Edit1->SetText("C:\\Program Files\\morimo2\\");
  ButtonOk = Add<TButton>(180, 212, 125, 29);
  ButtonOk->SetName("ButtonOk");
  ButtonOk->SetCaption("更新の開始");
  ButtonOk->SetDefault(true);
  ButtonOk->ModalResult = mrOk;
  ButtonCancel = Add<TButton>(380, 212, 75, 29);
  ButtonCancel->SetName("ButtonCancel");
  ButtonCancel->SetCaption("中止");
  ButtonCancel->SetCancel(true);
  ButtonCancel->ModalResult = mrCancel;
  ButtonRaise = Add<TButton>(500, 212, 75, 29);
  ButtonRaise->SetName("ButtonRaise");
  ButtonRaise->SetCaption("確認");
  Image1 = Add<TImage>(596, 20, 49, 53);
  Image1->SetName("Image1");
  Image1->SetBitmap(MakeTestBitmap(46, 52, RGB(255, 255, 255), RGB(0, 64, 192)));
  Image1->SetTransparent(true);
  // The start button first, as in the product's dialog.
  ButtonOk->SetTabOrder(0);
  ButtonCancel->SetTabOrder(1);
  Edit1->SetTabOrder(2);
}
