// The drop-down list's tests: the folder dialog's kind of form with its first field given a
// drop-down style and items, the events counted, and real input through the X server.
#pragma once

#include "controls/FloatDDButton.h"
#include "controls/HintListBox.h"
#include "controls/HintListHooks.h"
#include "tests/controls/EditForm.h"

namespace {
inline const std::vector<std::string> Fruits = {"Apple", "avocado", "Banana"};

class DropDown : public EditForm {
 protected:
  void SetUp() override {
    EditForm::SetUp();
    HintListBoxStartup();
    f = ShowEdits();
    Watch(f->Path);
    e->SetWidth(240);
  }
  // The field that the helpers act on, its events counted.
  void Watch(TLuEdit* field) {
    e = field;
    e->OnDropDown = [this](TComponent*) { ++dropped; };
    e->OnDropDownSelected = [this](TComponent*) { ++selected; };
    e->OnDropDownClick = [this](TComponent*) { ++clicked; };
  }
  // The pointer goes to a corner, off the windows that later tests show.
  void TearDown() override {
    X("mousemove 0 0");
    delete f;
    FreeFloatDDButton();
    HintListBoxShutdown();
    EditForm::TearDown();
  }
  void Style(TLuDropDownStyle s, const std::vector<std::string>& items, int index = 0) {
    e->SetDropDownStyle(s);
    e->Items = items;
    e->SetItemIndex(index);
  }
  // The field focused in the foreground form, so that keys typed on X reach it.
  bool Focus(TWinControl* c = nullptr) {
    c = c ? c : e;
    c->SetFocus();
    HWND form = c->ParentForm()->Handle();
    return PumpUntil([&] {
      SetForegroundWindow(form);
      return GetFocus() == c->Handle() && GetForegroundWindow() == form;
    });
  }
  static bool X(const std::string& args) {
    return XdoTool(args, [] { Application->ProcessMessages(); });
  }
  // Real keys, then F9: once the form sees it, all typed before it is handled.
  bool Type(const std::string& keys) {
    f->Ended = false;
    return X("key " + keys + " F9") && PumpUntil([&] { return f->Ended; }) && PumpUntilIdle();
  }
  // xdotool's move to a client point of w, then to the button, the text part, item i of the list.
  static std::string MoveTo(HWND w, POINT p) {
    ClientToScreen(w, &p);
    return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " ";
  }
  std::string ToButton() {
    return MoveTo(e->Handle(), {e->ClientWidth() - e->ButtonWidth / 2, e->ClientHeight() / 2});
  }
  std::string ToText() { return MoveTo(e->Handle(), {e->ClientWidth() / 3, e->ClientHeight() / 2}); }
  std::string ToItem(int i) {
    RECT r = {};
    SendMessageW(List()->Handle(), LB_GETITEMRECT, WPARAM(i), LPARAM(&r));
    return MoveTo(List()->Handle(), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  THintListBox* List() { return e->DropDownList(); }
  bool Shown() {
    return e->DroppedDown() && List() && List()->Visible() && IsWindowVisible(List()->Handle()) &&
           HintListHookCount() == 2;
  }
  // Closed, and no hook of the list is left.
  bool Closed() {
    return !e->DroppedDown() && (!List() || !List()->Visible()) && HintListHookCount() == 0;
  }
  bool FocusStayed() {
    return GetFocus() == e->Handle() && GetForegroundWindow() == e->ParentForm()->Handle();
  }

  TfrmEdits* f = nullptr;
  TLuEdit* e = nullptr;
  int dropped = 0, selected = 0, clicked = 0;
};
}  // namespace
