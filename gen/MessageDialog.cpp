#include "gen/MessageDialog.h"

#include <memory>

#include "gen0/GenError.h"

TDialogResultProc OnDialogResult = nullptr;

namespace {
int ShowAndReport(TLuMessageForm& dialog, const std::string& text) {
  int result = dialog.ShowModal();
  if (OnDialogResult) OnDialogResult(text, result);
  return result;
}

RECT WorkArea() {
  RECT r;
  SetLastError(0);
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
    throw ELastError(GetLastError(), "デスクトップの作業領域を取得できません");
  return r;
}

RECT ReferenceRect(TWinControl* owner) {
  RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!owner) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
  }
  HWND w = owner->Handle();
  GetClientRect(w, &r);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

int MessageDialog(const std::string& text, DialogKind kind, TDialogButtons buttons, int helpContext,
                  int defaultIndex) {
  return MessageDialogAt(text, kind, buttons, helpContext, -1, -1, "", defaultIndex);
}

int MessageDialogAt(const std::string& text, DialogKind kind, TDialogButtons buttons,
                    int helpContext, int left, int top, const std::string& helpFile,
                    int defaultIndex) {
  std::unique_ptr<TLuMessageForm> dialog(BuildMessageForm(text, kind, buttons, 0, defaultIndex, 2));
  dialog->HelpContext = helpContext;
  dialog->HelpFile = helpFile;
  if (left >= 0) dialog->SetLeft(left);
  if (top >= 0) dialog->SetTop(top);
  return ShowAndReport(*dialog, text);
}

int MessageDialogOwned(const std::string& text, DialogKind kind, TDialogButtons buttons,
                       TWinControl* owner, const std::string& caption, int defaultIndex) {
  return MessageDialogOwnedEx(text, kind, buttons, owner, caption, 0, defaultIndex, 2);
}

int MessageDialogOwnedEx(const std::string& text, DialogKind kind, TDialogButtons buttons,
                         TWinControl* owner, const std::string& caption, int timeoutMs,
                         int defaultIndex, int defaultButton) {
  const RECT reference = ReferenceRect(owner);
  std::unique_ptr<TLuMessageForm> dialog(
      BuildMessageForm(text, kind, buttons, timeoutMs, defaultIndex, defaultButton));
  RECT bounds = {dialog->Left(), dialog->Top(), dialog->Left() + dialog->Width(),
                 dialog->Top() + dialog->Height()};
  PlaceRect(bounds, reference, 2);
  dialog->SetBounds(bounds.left, bounds.top, dialog->Width(), dialog->Height());
  if (!caption.empty()) dialog->SetCaption(caption);
  return ShowAndReport(*dialog, text);
}

void PlaceRect(RECT& rect, const RECT& reference, int mode) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  int left = rect.left, top = rect.top;
  if (mode < 0) {
    mode = -mode;
  } else {
    left = reference.left + (reference.right - reference.left - width) / 2;
    top = reference.top + (reference.bottom - reference.top - height) / 2;
  }
  if (mode > 0) {
    const RECT bound = mode == 1 ? reference : WorkArea();
    if (left + width > bound.right) left = bound.right - width;
    if (top + height > bound.bottom) top = bound.bottom - height;
    if (left < bound.left) left = bound.left;
    if (top < bound.top) top = bound.top;
  }
  rect = {left, top, left + width, top + height};
}
