// Push buttons: the default button answers Enter, the cancel button Esc, and a button with a
// modal result ends its form's modal loop with it. TBitBtn draws a glyph beside its caption.
#pragma once

#include "gui/Form.h"
#include "gui/GdiObject.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  std::string ClassName() const override { return "TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult ModalResult = mrNone;

  // Sets the form's modal result to the button's, then runs OnClick.
  void Click() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// A button with a glyph: a bitmap that holds the normal and the disabled picture side by side.
// The bottom-left pixel's colour is transparent.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  std::string ClassName() const override { return "TBitBtn"; }

  // Takes ownership of the bitmap.
  void SetGlyph(HBITMAP glyph, int numGlyphs = 2);
  HBITMAP Glyph() const { return glyph_.Get(); }
  int Spacing = 4;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& d);

  GdiObject<HBITMAP> glyph_;
  int numGlyphs_ = 1;
};
