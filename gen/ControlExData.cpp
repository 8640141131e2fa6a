#include "gen/ControlExData.h"

namespace {
TControlExData* s_empty = nullptr;
}  // namespace

TControlExData::TControlExData(TComponent* owner) : TComponent(owner) {
  SetName("TControlExData");
}

TControlExData* FindControlExData(TComponent* control, bool create) {
  if (control)
    if (auto* found = dynamic_cast<TControlExData*>(control->FindComponent("TControlExData")))
      return found;
  if (create && control) return New<TControlExData>(control);
  return s_empty;
}

void CreateEmptyControlExData() {
  if (!s_empty) s_empty = New<TControlExData>(nullptr);
}

void FreeEmptyControlExData() {
  delete s_empty;
  s_empty = nullptr;
}
