// Text fields over the system's EDIT class: the custom edit base that the in-house edit builds
// on, and the multi-line memo.
#pragma once

#include "gui/WinControl.h"

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TScrollStyle { None, Horizontal, Vertical, Both };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  std::string ClassName() const override { return "TCustomEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool BorderSingle() const { return border_; }
  void SetBorderSingle(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

  void SelectAll();
  void SetSel(int start, int length);
  int SelStart();
  int SelLength();
  bool Modified();
  void SetModified(bool v);

  TNotifyEvent OnChange;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool border_ = true;
  TAlignment alignment_ = TAlignment::LeftJustify;
};

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  std::string ClassName() const override { return "TMemo"; }

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v);

  // Appends a line; lines are separated by CR LF.
  void AddLine(const std::string& line);
  int LineCount();

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::None;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
};
