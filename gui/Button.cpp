#include "gui/Button.h"

#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/TextUnits.h"
#include "gui/WideText.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "BUTTON";
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  DefaultChanged();
}

void TButton::DefaultChanged() {
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (TCustomForm* form = ParentForm()) form->ModalResult = ModalResult;
  TWinControl::Click();
}

bool TButton::DialogKey(WORD key, std::uint8_t shift) {
  // Enter presses the focused button, or else the default one; Esc the cancel button.
  bool pressed = (key == VK_RETURN && (Focused() || default_)) || (key == VK_ESCAPE && cancel_);
  if (!pressed || shift != 0 || !CanFocus()) return false;
  Click();
  return true;
}

bool TButton::DialogChar(wchar_t ch) {
  if (!IsAccel(ch, Text()) || !CanFocus()) return false;
  Click();
  return true;
}

LRESULT TButton::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == CN_COMMAND && HIWORD(w) == BN_CLICKED) {
    Click();
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

bool IsAccel(wchar_t ch, const std::string& caption) {
  std::string mark = MnemonicOf(caption);
  if (mark.empty()) return false;
  std::wstring wide = Widen(mark);
  return wide.size() == 1 && CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR(wide[0]))) ==
                                 CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR(ch)));
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(HBITMAP glyph, int numGlyphs) {
  glyph_.Reset(glyph);
  numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
  Invalidate();
}

LRESULT TBitBtn::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_UPDATEUISTATE: {
      // Alt shows the mnemonic underlines: draw them now.
      LRESULT r = TButton::WndProc(msg, w, l);
      Invalidate();
      return r;
    }
  }
  return TButton::WndProc(msg, w, l);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& d) {
  RECT r = d.rcItem;
  bool pushed = (d.itemState & ODS_SELECTED) != 0;
  bool disabled = (d.itemState & ODS_DISABLED) != 0;
  bool focused = (d.itemState & ODS_FOCUS) != 0;
  if (Default() || focused) {
    // The default button's extra black frame, as the system draws it.
    FrameRect(d.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  TCanvas canvas;
  canvas.SetHandle(d.hDC);
  canvas.Font.Assign(Font);
  if (disabled) canvas.Font.SetColor(clGray);
  // Mnemonics underlined, unless the window's state hides them until Alt is pressed.
  UINT prefix = (d.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  std::string text = Text();
  RECT measure = {0, 0, 0, 0};
  canvas.DrawText(text, measure, DT_SINGLELINE | DT_CALCRECT | prefix);
  int tw = measure.right, th = measure.bottom;
  int gw = 0, gh = 0;
  BITMAP bm = {};
  if (glyph_ && GetObjectA(glyph_.Get(), sizeof bm, &bm)) {
    gw = bm.bmWidth / numGlyphs_;
    gh = bm.bmHeight;
  }
  int total = gw + (gw && !text.empty() ? Spacing : 0) + tw;
  int x = (r.left + r.right - total) / 2 + (pushed ? 1 : 0);
  int y = (r.top + r.bottom) / 2 + (pushed ? 1 : 0);
  if (gw) {
    int index = disabled && numGlyphs_ > 1 ? 1 : 0;
    DrawBitmap(d.hDC, x, y - gh / 2, glyph_.Get(), index * gw, gw, gh, true);
    x += gw + Spacing;
  }
  RECT tr = {x, y - th / 2, x + tw, y - th / 2 + th};
  canvas.DrawText(text, tr, DT_SINGLELINE | prefix);
  canvas.SetHandle(nullptr);
  if (focused) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(d.hDC, &fr);
  }
}
