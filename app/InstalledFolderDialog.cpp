#include "app/InstalledFolderDialog.h"

#include <memory>

#include "controls/LuButton.h"
#include "controls/LuEdit.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenPath.h"
#include "gui/Application.h"
#include "gui/Image.h"
#include "gui/Label.h"

namespace {
TLabel* AddLabel(TfrmDoui* f, int left, int top, int width, const char* caption,
                 TColor color = clWindowText) {
  auto* l = NewControl<TLabel>(f, f, left, top, width, 16);
  l->SetAutoSize(false);
  l->SetCaption(caption);
  if (color != clWindowText) l->Font.SetColor(color);
  return l;
}
}  // namespace

TFormDesc TfrmDoui::Desc() {
  TFormDesc d;
  d.Caption = "セットアップ";
  d.ClientWidth = 660;
  d.ClientHeight = 261;
  d.BorderStyle = TBorderStyle::Dialog;
  d.BorderIcons = biSystemMenu;
  d.Position = TPosition::OwnerFormCenter;
  d.Color = clBtnFace;
  d.Font = {"ＭＳ ゴシック", -16, clWindowText, 0, SHIFTJIS_CHARSET};
  return d;
}

TfrmDoui::TfrmDoui(TComponent* owner) : TForm(owner, Desc()) {
  Label2 = AddLabel(this, 12, 12, 496, "本プログラムは、モリモVer.２の更新プログラムです。");
  Label1 = AddLabel(this, 12, 40, 576,
                    "下記のフォルダにインストール済みのモリモVer.２を更新します。");
  Label5 = AddLabel(this, 12, 68, 400, "モリモVer.２インストール済みフォルダ：");
  LuEdit_Path = NewControl<TLuEdit>(this, this, 12, 92, 633, 24);
  Label6 = AddLabel(this, 12, 128, 80, "○ご注意○", clMaroon);
  Label3 = AddLabel(this, 12, 152, 576,
                    "更新処理を開始する前に、他のすべてのアプリケーションを終了してください。",
                    clMaroon);
  Label4 = AddLabel(this, 12, 180, 544,
                    "また更新処理が完了するまで、他のソフトウェアを実行しないでください。",
                    clMaroon);
  LuButton_Next = NewControl<TLuButton>(this, this, 180, 212, 125, 29);
  LuButton_Next->SetCaption("更新の開始");
  LuButton_Next->SetDefault(true);
  LuButton_Next->OnClick = [this](TComponent*) { LuButton_NextClick(); };
  LuButton_Cancel = NewControl<TLuButton>(this, this, 380, 212, 75, 29);
  LuButton_Cancel->SetCaption("中止");
  LuButton_Cancel->SetCancel(true);
  LuButton_Cancel->OnClick = [this](TComponent*) { LuButton_CancelClick(); };
  Image1 = NewControl<TImage>(this, this, 596, 20, 49, 53);
  Image1->SetTransparent(true);
  Image1->LoadFromResource("SETUPPICTURE");
  // The start button first: it has the focus when the dialog opens.
  LuButton_Next->SetTabOrder(0);
  LuButton_Cancel->SetTabOrder(1);
  LuEdit_Path->SetTabOrder(2);
}

void TfrmDoui::LuButton_NextClick() {
  std::string text = LuEdit_Path->Text();
  if (IsBlank(text)) {
    LuEdit_Path->SetFocus();
    throw ELuInput("フォルダを指定してください");
  }
  // Anything named so counts, file or folder: morimo.exe, morimo.bak, morimo.exe.lz.
  const std::string pattern = AddTrailingSeparator(text) + "morimo.*";
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    throw ELuInput("モリモVer.２インストール済みフォルダを指定してください");
  SetHandleInfo(find, pattern, KindFind);
  CloseFindHandle(find, true);
  ModalResult = mrOk;
}

void TfrmDoui::LuButton_CancelClick() { ModalResult = mrCancel; }

void AskInstalledFolder(std::string& folder) {
  TComponent* owner = CurrentWorkForm();
  std::unique_ptr<TfrmDoui> dialog(NewForm<TfrmDoui>(owner ? owner : Application));
  dialog->LuEdit_Path->SetText(folder);
  if (dialog->ShowModal() != mrOk) throw EAbort();
  folder = dialog->LuEdit_Path->Text();
}
