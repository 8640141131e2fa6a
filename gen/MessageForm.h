// The in-house message dialog: built in code and laid out from the size of its font, with a
// kind (caption and system icon), a row of glyph buttons, the function keys that answer Yes and
// No, and an optional time-out.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "gen0/GenMethod.h"
#include "gui/Button.h"
#include "gui/Form.h"
#include "gui/Timer.h"

enum class DialogKind : std::uint8_t { Warning, Error, Information, Confirmation, Custom };

// The buttons in their order on the dialog, left to right.
enum TDialogButton : int {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
inline constexpr int DialogButtonCount = 11;

// Bit i stands for the button of index i.
using TDialogButtons = std::uint16_t;
constexpr TDialogButtons ButtonSet(std::initializer_list<TDialogButton> buttons) {
  TDialogButtons set = 0;
  for (TDialogButton b : buttons) set = TDialogButtons(set | (1u << b));
  return set;
}

class TLuMessageForm : public TForm {
 public:
  explicit TLuMessageForm(TComponent* owner);
  std::string ClassName() const override { return "TLuMessageForm"; }

  // Present only when a time-out was asked for.
  TTimer* TimeoutTimer = nullptr;
  // Gets the focus at the first show, if set.
  TButton* FocusButton = nullptr;
  bool FirstShow = false;

  int HelpContext = 0;
  std::string HelpFile;

  // The Help button's click: help at the dialog's help context.
  void ShowHelp(TComponent* sender);
  void TimedOut(TComponent* sender);

 protected:
  void DoShow() override;

 private:
  void FunctionKeyDown(TComponent* sender, WORD& key, std::uint8_t shift);
};

// The scale of every dialog's font and layout: 1/1 at load, 4/3 once the dialog layer is set up.
extern std::int32_t DialogScaleNum;
extern std::int32_t DialogScaleDen;

// Called with every built dialog before it is shown; empty at load.
using TDialogCreatedEvent = TMethod<void(TLuMessageForm* dialog)>;
extern TDialogCreatedEvent OnDialogCreated;

// Builds the dialog, not yet shown; the caller frees it. defaultIndex -1 gives the focus to
// the button of index defaultButton, n >= 0 to the n-th button shown; timeoutMs > 0 closes the
// dialog with mrCancel after that time.
TLuMessageForm* BuildMessageForm(const std::string& text, DialogKind kind, TDialogButtons buttons,
                                 int timeoutMs, int defaultIndex, int defaultButton);
