// The installed-folder dialog: says what the update will do, warns to close other programs and
// lets the user confirm or correct the folder in which the product is installed.
#pragma once

#include <string>

#include "gui/Form.h"

class TLabel;
class TLuEdit;
class TLuButton;
class TImage;

class TfrmDoui : public TForm {
 public:
  static TFormDesc Desc();
  explicit TfrmDoui(TComponent* owner);
  std::string ClassName() const override { return "TfrmDoui"; }

  TLabel *Label2, *Label1, *Label5, *Label6, *Label3, *Label4;
  TLuEdit* LuEdit_Path;
  TLuButton* LuButton_Next;
  TLuButton* LuButton_Cancel;
  TImage* Image1;

  // Confirms a folder that is not blank and holds at least one "morimo.*"; otherwise raises
  // ELuInput with the reason, and the dialog stays open.
  void LuButton_NextClick();
  void LuButton_CancelClick();
};

// Shows the dialog over the current work form with folder in its field; folder becomes what
// the user confirmed, as typed. A cancel (button, Esc, close box) raises EAbort.
void AskInstalledFolder(std::string& folder);
