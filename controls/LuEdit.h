// The in-house single-line text field. Its window is a multi-line EDIT, so that alignment and
// the formatting rectangle work. Enter moves the focus on (ReturnNext), Esc reverts to the text
// the field held when the focus entered it, a first click selects all, inner margins shape the
// formatting rectangle, a right- or centre-aligned field is edited left-aligned while its text
// does not fit, highlight mode shows a focused field selected until Enter starts editing, a
// paste goes through the key handling character by character, the Japanese context menu, and
// the character capacity is kept when the form is scaled; and an optional drop-down list of items
// with its button (LuEditDropDown.cpp, LuEditButton.cpp, LuEditPaint.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/Capacity.h"
#include "controls/DropDownButton.h"
#include "controls/ImeMode.h"
#include "gen/WorkForm.h"
#include "gui/Edit.h"

class TLuCustomEdit;
class THintListBox;

// ddNone: no list, no button. ddDropDown: free text and a list to pick from. ddDropDownList: the
// text is one of the items, painted by the field, without a caret. ddEvent: a button that only
// fires OnDropDown.
enum class TLuDropDownStyle { ddNone, ddDropDown, ddDropDownList, ddEvent };

// Option bits of the field; work forms set bits 0 to 2 from the library options.
enum : std::uint32_t {
  eoNoCapacity = 1,      // no capacity measurement, no font shrinking on scaling
  eoCentredText = 2,     // the text centred vertically
  eoNoAutoSize = 4,      // never automatic height
  eoIndexKeepsText = 8,  // in ddDropDown style a new ItemIndex leaves the text alone
};

// test: EM_CANUNDO asks whether the field can revert, otherwise EM_UNDO or WM_UNDO asks for
// it. A handler that sets eventDone answers with undoDone instead of the field's own revert.
using TLuEditUndoEvent =
    std::function<void(TLuCustomEdit* edit, bool test, bool& undoDone, bool& eventDone)>;
// Called first for every typed character (UTF-16); setting key to 0 swallows it.
using TLuKeyPressEvent = std::function<void(TComponent* sender, wchar_t& key)>;
// May fill the list window's lines itself (they come with what it showed last) and set done.
using TLuDropDownItemsEvent =
    std::function<void(TComponent* sender, std::vector<std::string>& lines, bool& done)>;

// The private messages: the alignment check after focus entry and text changes, and the
// return to the designed alignment once the focus has gone.
inline constexpr UINT LEM_CHECKALIGNMENT = WM_USER + 0x201;
inline constexpr UINT LEM_RESTOREALIGNMENT = WM_USER + 0x202;

class TLuCustomEdit : public TCustomEdit, public TWorkFormEditOptions {
 public:
  explicit TLuCustomEdit(TComponent* owner);
  ~TLuCustomEdit() override;
  std::string ClassName() const override { return "TLuCustomEdit"; }

  // A text equal to the current one changes nothing; a new one is also the revert snapshot
  // (unless NoAutoSaveForUndo). OnChange follows.
  void SetText(const std::string& text);

  // Enter moves the focus to the next control, Shift+Enter to the previous one.
  bool ReturnNext = true;
  // A first click into the unfocused field is an ordinary click, without select-all.
  bool MouseClickOnEnter = false;
  // false: the field enters highlight mode whenever it gets the focus.
  bool AlwaysEditMode = true;
  // The revert snapshot: taken at focus entry and whenever the text is set.
  std::string UndoText;
  // The snapshot is taken only by the program.
  bool NoAutoSaveForUndo = false;
  // Focus entry selects the whole text.
  bool AutoSelect = true;
  // The input method's mode, set whenever the field gets the focus.
  TImeMode ImeMode = TImeMode::imDontCare;

  TLuEditUndoEvent OnUndo;
  TLuKeyPressEvent OnKeyPress2;

  // 0: none. Shown for every character; a single-line window then carries it, as a multi-line
  // one cannot, and the alignment becomes left.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c);

  // Inner margins in pixels, 0 or more; a margin that is not 0 switches AutoSize off.
  int MarginLeft() const { return margins_.left; }
  int MarginTop() const { return margins_.top; }
  int MarginRight() const { return margins_.right; }
  int MarginBottom() const { return margins_.bottom; }
  void SetMarginLeft(int v) { SetMargins({v, margins_.top, margins_.right, margins_.bottom}); }
  void SetMarginTop(int v) { SetMargins({margins_.left, v, margins_.right, margins_.bottom}); }
  void SetMarginRight(int v) { SetMargins({margins_.left, margins_.top, v, margins_.bottom}); }
  void SetMarginBottom(int v) { SetMargins({margins_.left, margins_.top, margins_.right, v}); }
  void SetMargins(RECT margins);

  // The height follows the font; off with option bit 2.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);

  // A one-pixel frame in DrawBorderColor around the window. Setting it makes the border flat
  // and single; a field without a border drops it when its window is made.
  bool DrawBorder() const { return drawBorder_; }
  void SetDrawBorder(bool v);
  TColor DrawBorderColor() const { return drawBorderColor_; }
  void SetDrawBorderColor(TColor c);

  std::uint32_t EditOptions() const { return options_; }
  void SetEditOptions(std::uint32_t options);
  void ApplyWorkFormOptions(bool noCapacity, bool centred) override;

  // How far the EDIT's own formatting rectangle lies inside the client area, per side, as
  // measured when the window was made (rectangle minus client rectangle).
  RECT FormatInset() const { return formatInset_; }
  // The font's text-metric height; -1 until measured.
  int TextHeight() const { return textHeight_; }

  int DigitCapacity() const { return capacity_.DigitCapacity(); }
  int WideCapacity() const { return capacity_.WideCapacity(); }
  int ScaleDepth() const { return capacity_.ScaleDepth(); }
  // Counts over the width of the formatting rectangle.
  void MeasureCapacity() { capacity_.Measure(); }

  bool HasFocus() const { return hasFocus_; }
  bool HighlightMode() const { return highlight_; }
  bool AlignmentSwitched() const { return alignmentSwitched_; }
  TAlignment SavedAlignment() const { return savedAlignment_; }

  // The drop-down list (LuEditDropDown.cpp). Setting the style closes an open list.
  TLuDropDownStyle DropDownStyle() const { return dropDownStyle_; }
  void SetDropDownStyle(TLuDropDownStyle s);
  bool NoDropDownButton() const { return noDropDownButton_; }
  void SetNoDropDownButton(bool v);
  // The list's width; 0 or less: the field's.
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int v);
  // The list as wide as its widest line, a space either side and a scroll bar.
  bool DropDownWidthAuto = false;
  // Rows at most; fewer items show as many rows, none one.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v);
  std::vector<std::string> Items;
  // -1: none. A negative value counts as -1, one at or beyond the count of Items changes
  // nothing. In ddDropDownList, and in ddDropDown without eoIndexKeepsText, the text follows.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int n);
  // Enter in an empty field opens the list.
  bool DropDownByNullEnter = false;
  // The floating button beside the focused field.
  bool DropOut() const { return dropOut_; }
  void SetDropOut(bool v);
  TLuDropDownColors DropDownColors;
  // Neither the button nor a key opens anything.
  bool DropDownDisable() const { return dropDownDisable_; }
  void SetDropDownDisable(bool v);
  bool DroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool v);
  // With PrefixLength above 0 the list shows these lines and Items become the lines without
  // their first PrefixLength characters, rebuilt whenever the lines are set.
  int PrefixLength = 0;
  const std::vector<std::string>& DisplayLines() const { return displayLines_; }
  void SetDisplayLines(const std::vector<std::string>& lines);
  // true while the list shows other lines than Items: a pick then takes the text from Items.
  bool TextFromItems() const { return textFromItems_; }
  // The list window, made at the first drop-down; null before.
  THintListBox* DropDownList() const { return list_; }
  TLuDropDownItemsEvent OnDropDownItems;
  // Before the list opens; an item clicked in a ddDropDownList list; an item picked in the
  // list, or chosen by the keys of ddDropDownList.
  TNotifyEvent OnDropDown, OnDropDownClick, OnDropDownSelected;
  // The button strip at the right of a drop-down style, scaled with the form.
  int ButtonWidth = 16;
  bool ButtonPressed() const { return buttonPressed_; }

  void ChangeScale(int m, int d) override;
  void DoEnter() override;
  void DoExit() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void FontChanged() override;
  void Resize() override;
  // Leaves highlight mode, then OnChange; schedules the alignment check.
  void Change() override;
  // Forgets the list window when it is freed.
  void Notification(TComponent* c, TOperation op) override;

 private:
  // Window and text (LuEdit.cpp).
  bool MultiLine() const;
  void SetWindowPasswordChar();
  // Margins, height and capacity (LuEditMargins.cpp).
  void ApplyMargins();
  void MeasureTextHeight();
  void AdjustHeight();
  int FormattingWidth();
  // Keys and characters (LuEditKeys.cpp); true: handled.
  LRESULT DialogCode(WPARAM w, LPARAM l);
  bool KeyDown(WORD key);
  bool Char(WPARAM& ch);
  // The alignment switch (LuEditAlignment.cpp).
  void CheckAlignment(const std::wstring& text);
  void SwitchToLeft();
  void RestoreAlignment();
  // Undo, paste, clear and the context menu (LuEditEditing.cpp).
  LRESULT Undo(UINT msg);
  bool CanRevert();
  void Paste();
  LRESULT Clear(WPARAM w, LPARAM l);
  void ContextMenu(LPARAM l);
  // Focus, highlight mode, mouse and painting (LuEditFocus.cpp).
  LRESULT SetFocusMessage(WPARAM w, LPARAM l);
  LRESULT KillFocusMessage(WPARAM w, LPARAM l);
  bool FirstClick();
  bool ActivatingClick(LPARAM l);
  void EnterHighlight();
  void LeaveHighlight();
  void HideCaretOnce();
  void ShowCaretAgain();
  // Painting (LuEditPaint.cpp).
  LRESULT PaintMessage(UINT msg, WPARAM w, LPARAM l);
  LRESULT EraseBackground(WPARAM w, LPARAM l);
  void PaintOwnText(HDC dc);
  void PaintExtras(bool client);
  // The drop-down list (LuEditDropDown.cpp).
  bool ListStyle() const;
  void OpenList();
  void ShowList();
  void MakeList();
  int ListWidth();
  void PickFromList(const TNotifyEvent& event);
  void SetPickedText(const std::string& text);
  void SelectAllOrRepaint();
  void IndexFromText(const std::string& text);
  void ListClosed();
  void UpdateFloatButton();
  // Keys of the list (LuEditKeys.cpp).
  bool NullEnterOpens();
  bool OpenKey(WORD key, bool sys);
  bool ListKey(WORD key);
  void FirstLetter(wchar_t ch);
  // The button and the mouse on it (LuEditButton.cpp).
  bool HasButton() const;
  RECT ButtonRect();
  void DrawButton(HDC dc);
  void RedrawButton();
  bool ButtonPress(LPARAM l);
  void ButtonTrack(LPARAM l);
  void EndButtonPress();
  bool ArrowCursor(LPARAM l);

  TCapacityKeeper capacity_{*this, [this] { return FormattingWidth(); }};
  char passwordChar_ = 0;
  RECT margins_ = {};
  bool autoSize_ = true;
  bool ctl3D_ = true;
  bool drawBorder_ = false;
  TColor drawBorderColor_ = SystemColor(COLOR_WINDOWFRAME);
  std::uint32_t options_ = 0;
  RECT formatInset_ = {};
  int textHeight_ = -1;
  TLuDropDownStyle dropDownStyle_ = TLuDropDownStyle::ddNone;
  bool noDropDownButton_ = false;
  int dropDownWidth_ = 0;
  int dropDownCount_ = 8;
  int itemIndex_ = 0;
  bool dropOut_ = false;
  bool dropDownDisable_ = false;
  bool droppedDown_ = false;
  bool textFromItems_ = false;
  std::vector<std::string> displayLines_;
  THintListBox* list_ = nullptr;
  bool buttonPressed_ = false;
  // A press on the button, or anywhere in ddDropDownList, holds the mouse until it leaves the
  // button or is released.
  bool buttonCaptured_ = false;
  // The window has the keyboard focus (the floating button and ddDropDownList painting).
  bool windowFocused_ = false;

  bool hasFocus_ = false;
  bool highlight_ = false;
  TColor savedColor_ = clWindow;
  TColor savedFontColor_ = clWindowText;
  bool caretHidden_ = false;
  bool alignmentSwitched_ = false;
  TAlignment savedAlignment_ = TAlignment::LeftJustify;
  // The window is being made anew for the alignment switch: focus messages are no entry.
  bool switching_ = false;
  // The left button went down on the field and is not yet released.
  bool buttonDown_ = false;
  // Counts OnChange runs, so that setting the text runs it once whether or not the window
  // reports the change itself.
  unsigned changes_ = 0;
};

class TLuEdit : public TLuCustomEdit {
 public:
  using TLuCustomEdit::TLuCustomEdit;
  std::string ClassName() const override { return "TLuEdit"; }

  // The reading (kana) of text entered through the input method, reported after the text
  // change that the entry made.
  std::function<void(TComponent* sender, const std::string& kana)> OnHurigana;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void Change() override;

 private:
  std::string kana_;
};

// The reading string of the input method's finished composition in window w (Shift-JIS), or
// "" when there is none. Tests stand in for the input method here.
extern std::string (*ReadResultReading)(HWND w);
std::string ImmResultReading(HWND w);
