// The pop-up list that a control shows beside itself, as the edit shows its drop-down list: a
// top-level tool window above everything that never takes the focus from the control that owns
// it. While a list is visible, thread hooks (HintListHooks) steer the owner's Enter, Esc, arrow
// and page keys and the mouse wheel into the list, and any click elsewhere or loss of the focus
// closes it. A click or Enter picks the selected item and closes the list.
#pragma once

#include <windows.h>

#include "gen0/GenError.h"
#include "gui/ListBox.h"

class EHintListBoxNoParent : public ELuError {
 public:
  EHintListBoxNoParent() : ELuError("SubClassComponent is nil") {}
  [[noreturn]] void Raise() const override { throw *this; }
};

// What the hooks ask of a list: a message posted to its window, the command in wParam.
inline constexpr UINT HLM_COMMAND = WM_USER + 0x201;
enum class THintCommand : WPARAM { Close, Pick, LineUp, LineDown, PageUp, PageDown };

class THintListBox : public TCustomListBox {
 public:
  // Created hidden and without a tab stop.
  explicit THintListBox(TComponent* owner);
  ~THintListBox() override;
  std::string ClassName() const override { return "THintListBox"; }

  // The control whose keys the list takes over while visible; it is also the list's parent, so
  // the list goes with it. The list itself counts as none. Setting it hides the list.
  TWinControl* SubClassComponent() const { return subClass_; }
  void SetSubClassComponent(TWinControl* c);

  // Visible rows: the client height becomes n times the height of "W" in the list's font.
  int RowCount() const { return rowCount_; }
  void SetRowCount(int n);

  // The selection follows the mouse over the list.
  bool SyncMouse = false;

  TNotifyEvent OnShowed, OnHided;
  // An item was picked by a click, by Enter in the owner or in the list.
  TNotifyEvent OnSelected;

  // Showing raises EHintListBoxNoParent without a SubClassComponent.
  void SetVisible(bool v) override;
  // Moves the list to the screen point x, y, keeping its size, and shows it without taking the
  // activation or the focus; an already visible list becomes the top one, which the keys go to.
  void ShowAt(int x, int y);
  // ShowAt at x (moved left to stay on the work area) and belowY, or aboveY when the list would
  // not fit on the work area below.
  void ShowNear(int x, int belowY, int aboveY);
  void LineUp();
  void LineDown();

  // Picks only when a release of the mouse button or Enter asked for it and an item is
  // selected: OnClick, OnSelected, then the list hides.
  void Click() override;
  // Hides the list before its window goes.
  void DestroyHandle() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void FontChanged() override;

 private:
  void RequireOwner() const;
  void ApplyRowCount();
  void Command(THintCommand c);
  void Pick();
  void PressKey(WORD vk);
  void FollowMouse(LPARAM l);

  TWinControl* subClass_ = nullptr;
  int rowCount_ = 0;
  // The coming click is a pick (a release of the mouse button, or Enter).
  bool picking_ = false;
};
