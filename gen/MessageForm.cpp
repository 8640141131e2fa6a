// The dialog's own behaviour: focus at the first show, the function keys, help and time-out.
#include "gen/MessageForm.h"

#include "gui/Application.h"

std::int32_t DialogScaleNum = 1;
std::int32_t DialogScaleDen = 1;
TDialogCreatedEvent OnDialogCreated;

namespace {
TFormDesc MessageFormDesc() {
  TFormDesc d;
  d.BorderStyle = TBorderStyle::Dialog;
  d.BorderIcons = biMinimize | biMaximize;  // no system menu
  d.Font = FontDescOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  // Laid out from the measured font, so the screen's resolution is already in the numbers.
  d.Scaled = false;
  d.KeyPreview = true;
  return d;
}
}  // namespace

TLuMessageForm::TLuMessageForm(TComponent* owner) : TForm(owner, MessageFormDesc()) {
  OnCreate = [this](TComponent*) { FirstShow = true; };
  OnKeyDown = [this](TComponent* sender, WORD& key, std::uint8_t shift) {
    FunctionKeyDown(sender, key, shift);
  };
}

void TLuMessageForm::DoShow() {
  if (FirstShow) {
    FirstShow = false;
    if (FocusButton) {
      try {
        SetActiveControl(FocusButton);
      } catch (...) {
        // The dialog still answers its keys without the focus on that button.
      }
    }
  }
  TForm::DoShow();
}

// F4 and F5 answer Yes, F10 and F12 No, through the buttons' mnemonic letters, so that a
// dialog without that button ignores them. The key itself goes on as usual.
void TLuMessageForm::FunctionKeyDown(TComponent*, WORD& key, std::uint8_t) {
  if (key == VK_F4 || key == VK_F5)
    PostMessageW(Handle(), WM_CHAR, 'Y', 0);
  else if (key == VK_F10 || key == VK_F12)
    PostMessageW(Handle(), WM_CHAR, 'N', 0);
}

void TLuMessageForm::ShowHelp(TComponent*) {
  if (!Application) return;
  // The dialog's help file, if it names one, for this call only.
  std::string saved = Application->HelpFile;
  if (!HelpFile.empty()) Application->HelpFile = HelpFile;
  try {
    Application->HelpContext(HelpContext);
  } catch (...) {
    Application->HelpFile = saved;
    throw;
  }
  Application->HelpFile = saved;
}

void TLuMessageForm::TimedOut(TComponent*) {
  TimeoutTimer->SetEnabled(false);
  ModalResult = mrCancel;
}
