// The base of the program's work forms: showing one puts it on the work-form stack (disabling
// the form below), hiding or destroying it takes it off again. It reports focus changes, runs
// the focus-leave handlers of its controls, passes the library's edit options on to in-house
// edit fields placed on it, and refuses a Windows shutdown while it is disabled.
#pragma once

#include <cstdint>

#include "gui/Form.h"

// What a work form passes on to an in-house edit field placed on it.
class TWorkFormEditOptions {
 public:
  // noCapacity: option bit 0; centred: option bits 1 and 2.
  virtual void ApplyWorkFormOptions(bool noCapacity, bool centred) = 0;

 protected:
  ~TWorkFormEditOptions() = default;
};

class TfrmGenWorkForm : public TCustomForm {
 public:
  TfrmGenWorkForm(TComponent* owner, const TFormDesc& desc);
  ~TfrmGenWorkForm() override;
  std::string ClassName() const override { return "TfrmGenWorkForm"; }

  bool OnStack() const { return onStack_; }
  // Called (sender = the form) when the active control changes; none by default.
  TNotifyEvent OnActiveControlChange;
  // Called after the window has been enabled or disabled.
  TNotifyEvent OnEnabledChange;
  bool UseWorkStack = true;
  // The form ignores the toolkit's dialog keys (Tab, arrows, Enter and Esc navigation).
  bool NoDialogKeys = false;
  // The enabled state of the window as the system last reported it.
  bool WindowEnabled() const { return windowEnabled_; }

  // Registers a variable that holds this form: it is set to the form now and to null when the
  // form is destroyed. A variable registered before is cleared if it still holds this form.
  template <class T>
  void SetAutoClearRef(T** ref) {
    SetAutoClearRef(TAutoClearRef{reinterpret_cast<void**>(ref), &Holds<T>, &Assign<T>});
  }
  void ClearAutoClearRef() { SetAutoClearRef(TAutoClearRef{}); }

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void DoShow() override;
  void DoHide() override;
  void ActiveControlChanged() override;
  bool WantsDialogKeys() const override { return !NoDialogKeys; }
  void Notification(TComponent* c, TOperation op) override;

 private:
  struct TAutoClearRef {
    void** Ref = nullptr;
    bool (*HoldsForm)(void** ref, TfrmGenWorkForm* form) = nullptr;
    void (*AssignForm)(void** ref, TfrmGenWorkForm* form) = nullptr;
  };
  template <class T>
  static bool Holds(void** ref, TfrmGenWorkForm* form) {
    return *reinterpret_cast<T**>(ref) == form;
  }
  template <class T>
  static void Assign(void** ref, TfrmGenWorkForm* form) {
    *reinterpret_cast<T**>(ref) = static_cast<T*>(form);
  }
  void SetAutoClearRef(const TAutoClearRef& ref);
  void FocusLeave();
  bool RefusesEndSession();
  void SnapToGrid(WINDOWPOS& pos);

  bool onStack_ = false;
  TAutoClearRef autoClearRef_;
  TWinControl* lastReported_ = nullptr;
  bool windowEnabled_ = true;
  bool leaving_ = false;
  TWinControl* previous_ = nullptr;
};
