// Building the message dialog: kinds, the button table, the metrics from the average character
// size, and the button widths measured once per process.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "gen/MessageForm.h"
#include "gui/Application.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "gui/Screen.h"

namespace {
struct KindSpec {
  const char* Caption;  // null: the application's title
  WORD Icon;            // system icon; 0 for none
};
const KindSpec Kinds[] = {
    {"警告", 32515},  // exclamation
    {"ｴﾗｰ", 32513},   // hand
    {"情報", 32516},  // asterisk
    {"確認", 32514},  // question
    {nullptr, 0},
};

// The measuring caption sets the width; the glyph kind then puts the shown caption, the result
// and the glyph in its place. Where the two captions differ, the width follows the measuring one.
struct ButtonKind {
  const char* Name;
  const char* Measuring;
  const char* Shown;
  TModalResult Result;  // the Help button's 0 keeps the dialog open
  const char* Glyph;    // bitmap resource, or null
};
const ButtonKind Buttons[DialogButtonCount] = {
    {"Yes", "はい(&Y)", "はい(&Y)", mrYes, "BBYES"},
    {"No", "いいえ(&N)", "いいえ(&N)", mrNo, "BBNO"},
    {"OK", "OK", "OK", mrOk, "BBOK"},
    {"Cancel", "ｷｬﾝｾﾙ", "キャンセル", mrCancel, "BBCANCEL"},
    {"Abort", "中止(&A)", "中止", mrAbort, "BBABORT"},
    {"Retry", "再試行(&R)", "再試行(&R)", mrRetry, "BBRETRY"},
    {"Ignore", "無視(&I)", "無視(&I)", mrIgnore, "BBIGNORE"},
    {"All", "すべて", "すべて(&A)", mrAll, "BBALL"},
    {"NoToAll", "すべていいえ(&O)", "すべていいえ(&O)", mrNoToAll, nullptr},
    {"YesToAll", "すべてはい(&E)", "すべてはい(&E)", mrYesToAll, nullptr},
    {"Help", "ﾍﾙﾌﾟ(&H)", "ヘルプ(&H)", mrNone, "BBHELP"},
};

// Measured in the first dialog's font and kept for the life of the process.
int s_buttonWidths[DialogButtonCount] = {};

int ButtonWidth(TCanvas& canvas, int index) {
  if (s_buttonWidths[index] == 0) {
    RECT r = {0, 0, 0, 0};
    canvas.DrawText(Buttons[index].Measuring, r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    s_buttonWidths[index] = r.right + 8;
  }
  return s_buttonWidths[index];
}

void SetGlyphKind(TBitBtn& button, const ButtonKind& kind) {
  button.SetCaption(kind.Shown);
  button.ModalResult = kind.Result;
  if (kind.Glyph)
    button.SetGlyph(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), kind.Glyph,
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

struct Metrics {
  int HMargin, VMargin, HSpacing, VSpacing, ButtonWidth, ButtonHeight, ButtonSpacing;
};

Metrics MetricsOf(SIZE ch) {
  return {MulDiv(8, ch.cx, 4),  MulDiv(8, ch.cy, 8),  MulDiv(10, ch.cx, 4), MulDiv(10, ch.cy, 8),
          MulDiv(54, ch.cx, 4), MulDiv(17, ch.cy, 8), MulDiv(4, ch.cx, 4)};
}

// The average letter width (X) and the text height (Y) in the canvas's font. When nothing
// could be measured, X is 6 and Y the font's height.
SIZE AverageCharSize(TCanvas& canvas) {
  SIZE s = canvas.TextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  if (s.cx <= 0) return {6, std::abs(canvas.Font.Height())};
  return {s.cx / 52, s.cy};
}
}  // namespace

TLuMessageForm* BuildMessageForm(const std::string& text, DialogKind kind, TDialogButtons buttons,
                                 int timeoutMs, int defaultIndex, int defaultButton) {
  std::unique_ptr<TLuMessageForm> form(NewForm<TLuMessageForm>(Application));
  TLuMessageForm* f = form.get();
  if (DialogScaleNum != DialogScaleDen) f->ScaleBy(DialogScaleNum, DialogScaleDen);
  f->Canvas.Font.Assign(f->Font);

  Metrics m = MetricsOf(AverageCharSize(f->Canvas));
  auto shown = [buttons](int i) { return ((buttons >> i) & 1) != 0; };
  int count = 0;
  for (int i = 0; i < DialogButtonCount; ++i) {
    if (!shown(i)) continue;
    ++count;
    m.ButtonWidth = std::max(m.ButtonWidth, ButtonWidth(f->Canvas, i));
  }

  // The label draws "&" as it is, so the measurement does too.
  RECT textRect = {0, 0, Screen->Width() / 2, 0};
  f->Canvas.DrawText(text, textRect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  const int textWidth = textRect.right, textHeight = textRect.bottom;
  const KindSpec& k = Kinds[static_cast<int>(kind)];
  const bool icon = k.Icon != 0;
  const int iconTextWidth = textWidth + (icon ? 32 + m.HSpacing : 0);
  const int iconTextHeight = icon ? std::max(textHeight, 32) : textHeight;
  const int groupWidth = count ? m.ButtonWidth * count + m.ButtonSpacing * (count - 1) : 0;
  const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * m.HMargin;
  f->SetClientSize(clientWidth, iconTextHeight + m.ButtonHeight + m.VSpacing + 2 * m.VMargin);
  f->SetBounds(Screen->Width() / 2 - f->Width() / 2, Screen->Height() / 2 - f->Height() / 2,
               f->Width(), f->Height());
  f->SetCaption(k.Caption ? k.Caption : Application->Title());

  if (icon) {
    auto* image = New<TImage>(f);
    image->SetName("Image");
    image->SetParent(f);
    image->SetBounds(m.HMargin, m.VMargin, 32, 32);
    image->SetIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(k.Icon)), true);
  }
  auto* label = New<TLabel>(f);
  label->SetName("Message");
  label->SetParent(f);
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(text);
  label->SetBounds(iconTextWidth - textWidth + m.HMargin, m.VMargin, textWidth, textHeight);

  // Without OK, Yes or Retry there is no default button; without Cancel, No or OK no button
  // answers Esc.
  const int defaultOne = shown(mbOK) ? mbOK : shown(mbYes) ? mbYes : mbRetry;
  const int cancelOne = shown(mbCancel) ? mbCancel : shown(mbNo) ? mbNo : mbOK;
  int x = (clientWidth - groupWidth) / 2;
  const int y = iconTextHeight + m.VMargin + m.VSpacing;
  for (int i = 0, n = 0; i < DialogButtonCount; ++i) {
    if (!shown(i)) continue;
    auto* b = New<TBitBtn>(f);
    b->SetName(Buttons[i].Name);
    b->SetParent(f);
    b->SetBounds(x, y, m.ButtonWidth, m.ButtonHeight);
    SetGlyphKind(*b, Buttons[i]);
    b->SetDefault(i == defaultOne);
    b->SetCancel(i == cancelOne);
    if (i == mbHelp) b->OnClick = [f](TComponent* sender) { f->ShowHelp(sender); };
    if (defaultIndex == -1 ? i == defaultButton : n == defaultIndex) f->FocusButton = b;
    ++n;
    x += m.ButtonWidth + m.ButtonSpacing;
  }

  if (timeoutMs > 0) {
    f->TimeoutTimer = New<TTimer>(f);
    f->TimeoutTimer->SetInterval(unsigned(timeoutMs));
    f->TimeoutTimer->SetOnTimer([f](TComponent* sender) { f->TimedOut(sender); });
  }
  if (OnDialogCreated) OnDialogCreated(f);
  return form.release();
}
