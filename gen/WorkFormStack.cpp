#include "gen/WorkFormStack.h"

#include <windows.h>

#include <string>
#include <vector>

#include "gen0/GenLog.h"
#include "gui/Form.h"

namespace {
struct TWorkFormEntry {
  TCustomForm* Form = nullptr;
  bool SavedEnabled = false;
  std::int32_t Key = 0;
  std::int32_t Mode = 0;
};

std::vector<TWorkFormEntry>* s_stack = nullptr;

TCustomForm* TopForm() { return s_stack && !s_stack->empty() ? s_stack->back().Form : nullptr; }

// An unexpected state of the stack is logged, with a beep in debug mode, and the change goes on.
void ReportDisabled(const char* what, TCustomForm* form) {
  LogErrorLimited(std::string(what) + form->Caption());
  if (DebugMode) MessageBeep(MB_ICONHAND);
}

void EraseFirst(TCustomForm* form, std::int32_t key) {
  for (auto it = s_stack->begin(); it != s_stack->end(); ++it) {
    if (it->Form == form && it->Key == key) {
      s_stack->erase(it);
      return;
    }
  }
}
}  // namespace

TCustomForm* CurrentWorkForm() { return TopForm(); }

void SetWorkForm(TCustomForm* form, std::int32_t key, std::int32_t mode) {
  if (!form || !s_stack) return;
  if (!s_stack->empty() && s_stack->back().Form == form && s_stack->back().Key == key) return;
  EraseFirst(form, key);
  std::size_t belowIndex = s_stack->size();
  TCustomForm* below = TopForm();
  if (below && !below->Enabled())
    ReportDisabled("SetWorkForm ,not frmWorkOrg.Enabled ,frmWorkOrg.Caption=", below);
  s_stack->push_back({form, false, key, mode});
  if (mode == 1) form->SetEnabled(true);
  if (below) {
    (*s_stack)[belowIndex - 1].SavedEnabled = below->Enabled();
    if (below != form) below->SetEnabled(false);
  }
}

void RemoveWorkForm(TCustomForm* form, std::int32_t key) {
  if (!form || !s_stack) return;
  std::size_t oldTop = s_stack->size();
  TCustomForm* oldForm = TopForm();
  EraseFirst(form, key);
  std::size_t newTop = s_stack->size();
  TCustomForm* newForm = TopForm();
  if (oldForm != newForm && oldForm && !oldForm->Enabled())
    ReportDisabled("RemoveWorkForm ,not frmWork1.Enabled ,frmWork1.Caption=", oldForm);
  if (oldTop != newTop && newForm) {
    const TWorkFormEntry& top = s_stack->back();
    newForm->SetEnabled(top.Mode == 1 ? true : top.SavedEnabled);
  }
}

void CreateWorkFormStack() {
  delete s_stack;
  s_stack = new std::vector<TWorkFormEntry>(1);
}

void FreeWorkFormStack() {
  delete s_stack;
  s_stack = nullptr;
}

int WorkFormStackSize() { return s_stack ? int(s_stack->size()) : 0; }
