// The active control, entering and leaving controls, and the dialog keys: a key that the
// focused control does not want goes to that control, the form and then every other control
// as a dialog key; a character typed where no text is wanted, or with Alt, as a dialog
// character (mnemonics).
#include <algorithm>
#include <vector>

#include "gui/Form.h"

namespace {
// Controls that take part in Tab navigation, depth first in tab order.
void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    if (c->TabStop()) out.push_back(c);
    CollectTabStops(c, out);
  }
}

// The WM_GETDLGCODE bit with which a control asks for a key itself, or 0 for keys that are
// no dialog keys.
UINT WantCode(WPARAM key) {
  switch (key) {
    case VK_TAB:
      return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      return DLGC_WANTALLKEYS;
  }
  return 0;
}

// Offers the key to every control inside parent but skip, depth first; true when one took it.
template <class Offer>
bool Broadcast(TWinControl* parent, TWinControl* skip, const Offer& offer) {
  std::vector<TWinControl*> children = parent->Controls();
  for (TWinControl* c : children) {
    if (c != skip && offer(c)) return true;
    if (Broadcast(c, skip, offer)) return true;
  }
  return false;
}

// Asks the control without the message itself: an EDIT given the message goes into dialog
// mode and then posts WM_CLOSE to its parent on Esc and WM_NEXTDLGCTL on Tab.
LRESULT DialogCode(HWND w, WPARAM key) { return SendMessageW(w, WM_GETDLGCODE, key, 0); }
}  // namespace

void TCustomForm::SetActiveControl(TWinControl* c) {
  if (c != activeControl_) SetFocusedControl(c);
  if (c && HandleAllocated() && GetActiveWindow() == Handle() && c->CanFocus() &&
      GetFocus() != c->Handle())
    ::SetFocus(c->Handle());
}

void TCustomForm::ChildFocused(TWinControl* c) { SetFocusedControl(c); }

void TCustomForm::SetFocusedControl(TWinControl* c) {
  if (c == activeControl_) return;
  TWinControl* old = activeControl_;
  activeControl_ = c;
  TFreeWatch watch(this);
  // Leave old and each parent that does not hold c, then enter each parent of c that old was
  // not in, outermost first, and c.
  for (TWinControl* x = old; x && x != this && !x->ContainsControl(c); x = x->Parent()) {
    x->DoExit();
    if (watch.Freed() || activeControl_ != c) return;
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* x = c; x && x != this && !x->ContainsControl(old); x = x->Parent())
    entered.push_back(x);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    (*it)->DoEnter();
    if (watch.Freed() || activeControl_ != c) return;
  }
  ActiveControlChanged();
}

void TCustomForm::ChildRemoved(TWinControl* c) {
  if (c->ContainsControl(activeControl_)) activeControl_ = nullptr;
}

void TCustomForm::FocusControl() {
  if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  for (TWinControl* c : stops) {
    if (c->CanFocus()) {
      ::SetFocus(c->Handle());
      return;
    }
  }
  ::SetFocus(Handle());
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  int n = int(stops.size());
  if (n == 0) return;
  int i = int(std::find(stops.begin(), stops.end(), current) - stops.begin());
  if (i == n) i = forward ? -1 : n;
  for (int k = 0; k < n; ++k) {
    i = (i + (forward ? 1 : -1) + n) % n;
    if (stops[i]->CanFocus()) {
      stops[i]->SetFocus();
      return;
    }
  }
}

bool TCustomForm::DialogKey(WORD key, std::uint8_t shift) {
  if (shift & ssAlt) return false;
  TWinControl* current = activeControl_;
  switch (key) {
    case VK_TAB:
      if (shift & ssCtrl) return false;
      SelectNext(current, !(shift & ssShift));
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      // Among the siblings of the active control, as in a dialog's group.
      if (!current || !current->Parent()) return false;
      const auto& list = current->Parent()->TabList();
      int n = int(list.size());
      int i = int(std::find(list.begin(), list.end(), current) - list.begin());
      bool forward = key == VK_RIGHT || key == VK_DOWN;
      for (int k = 1; k < n; ++k) {
        TWinControl* c = list[((forward ? i + k : i - k) % n + n) % n];
        if (c->CanFocus()) {
          c->SetFocus();
          break;
        }
      }
      return true;
    }
  }
  return false;
}

bool TCustomForm::HandleDialogKey(TWinControl* target, WORD key, std::uint8_t shift) {
  if (target && target != this && target->DialogKey(key, shift)) return true;
  if (DialogKey(key, shift)) return true;
  return Broadcast(this, target, [&](TWinControl* c) { return c->DialogKey(key, shift); });
}

bool TCustomForm::HandleDialogChar(wchar_t ch) {
  return Broadcast(this, nullptr, [&](TWinControl* c) { return c->DialogChar(ch); });
}

bool TCustomForm::PreviewKey(TWinControl* target, const MSG& msg) {
  // The handlers run as in a dispatch of the form: a Release they ask for waits for them.
  TDispatchScope scope(this);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (KeyPreview && OnKeyDown) {
        WORD key = WORD(msg.wParam);
        OnKeyDown(this, key, KeyShiftState());
        if (key == 0 || scope.Freed()) return true;
      }
      UINT want = WantCode(msg.wParam);
      if (msg.message != WM_KEYDOWN || !want || !WantsDialogKeys()) return false;
      if (DialogCode(msg.hwnd, msg.wParam) & want) return false;
      return HandleDialogKey(target, WORD(msg.wParam), KeyShiftState());
    }
    case WM_CHAR:
      if (!WantsDialogKeys() || msg.wParam < 0x20) return false;
      if (DialogCode(msg.hwnd, msg.wParam) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
      return HandleDialogChar(wchar_t(msg.wParam));
    case WM_SYSCHAR:
      if (msg.wParam == L' ') return false;
      return HandleDialogChar(wchar_t(msg.wParam));
  }
  return false;
}
