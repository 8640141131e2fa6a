// The notice window "お知らせ": a stay-on-top window with the notices of the error document in
// a read-only memo and an OK button. It shows beside a modal dialog and stays usable there.
#pragma once

#include "gui/Form.h"

class TGenErrorDoc;
class TLuMemo;
class TLuButton;
class TPanel;
class TImage;

class TfrmGenError : public TCustomForm {
 public:
  static TFormDesc Desc();
  // owner: the error document, which the window shows.
  explicit TfrmGenError(TGenErrorDoc* owner);
  std::string ClassName() const override { return "TfrmGenError"; }

  TPanel* Panel2;
  TImage* Image1;
  TLuMemo* LuMemo1;
  TPanel* Panel1;
  TLuButton* LuButton1;

  // Puts the document's notices into the memo and grows the window by the rows they need.
  void UpdateNoticeText();
  // Shows the window centred on the current work form (or the main window), on the work area.
  void ShowNoticeWindow();
  // The end of the run: holds the process, the other windows disabled, until the user has
  // closed the window.
  void WaitUntilClosed();
  bool Waiting() const { return waiting_; }

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  static void EnableAgain(TfrmGenError* self);
  void FormCreate();
  void FormClose(TCloseAction& action);
  void FormKeyDown(WORD& key);

  int memoDesignHeight_ = 0;
  std::uint32_t shownChange_ = 0;
  TGenErrorDoc* doc_;
  bool waiting_ = false;
};
