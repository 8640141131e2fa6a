// Text fields over the system's EDIT class: the custom edit base that the in-house edit builds
// on, and the multi-line memo. Positions and MaxLength count Shift-JIS bytes, as the program's
// users count them (a double-byte character counts 2); the field enforces MaxLength on typed,
// pasted and converted text.
#pragma once

#include <string>

#include "gui/WinControl.h"

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TScrollStyle { None, Horizontal, Vertical, Both };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  std::string ClassName() const override { return "TCustomEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // 0: no limit.
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
  // Replaces the selection, as typing would, but without the limit.
  void ReplaceSel(const std::string& text);
  bool Modified();
  void SetModified(bool v);

  TNotifyEvent OnChange;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  // Bytes the text would have if the selection were replaced by insert.
  std::size_t BytesWith(const std::wstring& insert);
  // Inserts as much of text as the limit leaves room for, in whole characters; beeps when
  // that is not all of it.
  void InsertLimited(const std::wstring& text);
  void PasteLimited();
  bool ImeResultLimited(LPARAM& l);

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
  // Enter and Esc reach the memo (a line break) rather than the form's buttons.
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v);

  // Appends a line; lines are separated by CR LF.
  void AddLine(const std::string& line);
  int LineCount();

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::None;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
};
