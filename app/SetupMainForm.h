// The updater's main window: a maximised navy work form with one large caption, behind which
// the update runs.
#pragma once

#include "gen/WorkForm.h"

class TLabel;

class TfrmSetupMain : public TfrmGenWorkForm {
 public:
  static TFormDesc Desc();
  explicit TfrmSetupMain(TComponent* owner);
  std::string ClassName() const override { return "TfrmSetupMain"; }

  TLabel* Label1;

  // The whole update; it raises nothing and closes the window at its end.
  void ExecuteUpdate();
};

// The one main window, while it exists.
extern TfrmSetupMain* frmSetupMain;
