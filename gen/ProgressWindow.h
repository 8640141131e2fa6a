// The progress window "処理中です": one bar and the cancel button "中止", put behind the progress
// hooks of the base library so that long jobs report to it without knowing it. It shows when a
// job begins (or, delayed, once the job has run for more than 2000 ms), lies over the main
// window while it shows, and hides at the job's end.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gen/DialogForm.h"

class TButton;
class TLuProgressBar;

// Percentage by which the progress window scales itself when it is made; 100 at load.
extern int DoingWindowScale;

// The tick count that the delayed show measures (GetTickCount); tests replace it.
using TTickCount = DWORD(WINAPI*)();
extern TTickCount DoingTickCount;

class TfrmGenDoing : public TfrmGenForm {
 public:
  // As designed: single border without border icons, client 604 × 38, not scaled by the
  // screen's resolution.
  static TFormDesc Desc();
  explicit TfrmGenDoing(TComponent* owner);
  ~TfrmGenDoing() override;
  std::string ClassName() const override { return "TfrmGenDoing"; }

  TButton* Button1;
  TLuProgressBar* LuProgressBar1;

  // A job shows the window only after it has run for more than 2000 ms.
  bool DelayedShow = false;
  bool JobRunning = false;
  // The delayed show is still to come for the current job.
  bool ShowPending = false;
  // Between DoingBegin and DoingEnd.
  bool Active = false;
  std::uint32_t StartTick = 0;
  bool CancelRequested = false;
  bool HooksInstalled = false;

  // Puts this window's handlers into every progress hook.
  void InstallHooks();

  // The hook handlers.
  void Begin();
  void End();
  void SetTitle();
  void SetText();
  void SetTextW();
  void SetPosition();
  void StepIt();
  void PushRange();
  void PopRange();
  bool CheckCancel();
  void ClearCancel();
  void EnableCancel();
  void RepaintNow();

 protected:
  void DoShow() override;
  void DoHide() override;
  void DoClose(TCloseAction& action) override;

 private:
  void Button1Click(TComponent* sender);
  void CheckDelayedShow();
  void ShowOnTop();
  void PlaceOnMainWindow();
};

// The attached instance, or null.
extern TfrmGenDoing* frmGenDoing;

// Makes the attached instance (owned by the application, delayed showing on) and puts it behind
// the progress hooks; a second call does nothing. Before the application window shows: it also
// starts watching for the taskbar button.
void CreateDoingWindow();
void SetDoingDelayed(bool delayed);
