// Push buttons: the default button answers Enter, the cancel button Esc, the "&" letter of the
// caption (Alt+letter, or the letter where no text is typed) presses the button, and a button
// with a modal result ends its form's modal loop with it. TBitBtn draws a glyph beside its
// caption and its own default frame.
#pragma once

#include "gui/GdiObject.h"
#include "gui/ModalResult.h"
#include "gui/WinControl.h"

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
  bool DialogKey(WORD key, std::uint8_t shift) override;
  bool DialogChar(wchar_t ch) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  // The default mark changed; a system button shows it through its button style.
  virtual void DefaultChanged();

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// Whether ch (a UTF-16 unit) is the letter that "&" marks in caption, case ignored.
bool IsAccel(wchar_t ch, const std::string& caption);

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
  // Owner drawn: BM_SETSTYLE would turn it into a plain push button.
  void DefaultChanged() override { Invalidate(); }

 private:
  void DrawItem(const DRAWITEMSTRUCT& d);

  GdiObject<HBITMAP> glyph_;
  int numGlyphs_ = 1;
};
