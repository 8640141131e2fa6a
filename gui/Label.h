// A label over the system's static control: colour, font, word wrap and transparency; by
// default it sizes itself to its text.
#pragma once

#include "gui/WinControl.h"

class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* owner);
  std::string ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  void SetCaption(const std::string& text);

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  HBRUSH CtlColor(HDC dc) override;
  void FontChanged() override;

 private:
  void AdjustSize();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
};
