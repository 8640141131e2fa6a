// Extra behaviour attached to one control: a component owned by the control and found by its
// name "TControlExData". Its OnLeave runs when the focus leaves the control.
#pragma once

#include "gui/Component.h"

class TControlExData : public TComponent {
 public:
  explicit TControlExData(TComponent* owner);
  std::string ClassName() const override { return "TControlExData"; }
  TNotifyEvent OnLeave;
};

// The control's record; without one, a new record when create is set, else the shared empty
// record (whose OnLeave is none).
TControlExData* FindControlExData(TComponent* control, bool create);

void CreateEmptyControlExData();
void FreeEmptyControlExData();
