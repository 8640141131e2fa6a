// A list box over the system's LISTBOX class: items kept by the control so that they survive a
// new window, the selected index, and optional owner drawing of fixed-height items.
#pragma once

#include <string>
#include <vector>

#include "gui/Canvas.h"
#include "gui/WinControl.h"

enum class TListBoxStyle { Standard, OwnerDrawFixed };

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  std::string ClassName() const override { return "TCustomListBox"; }

  const std::vector<std::string>& Items() const { return items_; }
  void AddItem(const std::string& item);
  void SetItems(const std::vector<std::string>& items);
  void Clear();
  int Count() const { return int(items_.size()); }

  int ItemIndex();
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int h);
  int TopIndex();
  void SetTopIndex(int index);
  // The item under a client point, or -1.
  int ItemAtPos(POINT p);

  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle s);
  bool BorderSingle = true;

  TNotifyEvent OnDblClick;
  TCanvas Canvas;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  // Draws item index in rect on Canvas; the default draws its text in the selection colours.
  virtual void DrawItem(int index, const RECT& rect, UINT state);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  TListBoxStyle style_ = TListBoxStyle::Standard;
};
