// The drop-down list's items: ItemIndex and the text kept in step, prefixed lines, a failing
// OnDropDown, and the keys of the list style and Enter in an empty field.
#include "tests/controls/DropDownForm.h"

using enum TLuDropDownStyle;

namespace {
class DropDownItems : public DropDown {};
}  // namespace

TEST_F(DropDownItems, ItemIndexAndTextKeepInStep) {
  const struct {
    const char* name;
    TLuDropDownStyle style;
    std::uint32_t options;
    int index;     // set unless text is
    const char* text;
    int indexAfter;
    const char* textAfter;
  } rows[] = {
      {"list: an index sets the text", ddDropDownList, 0, 2, nullptr, 2, "Banana"},
      {"list: below -1 counts as -1", ddDropDownList, 0, -7, nullptr, -1, ""},
      {"list: beyond the items changes nothing", ddDropDownList, 0, 3, nullptr, 1, "avocado"},
      {"list: an item's text finds its index", ddDropDownList, 0, 0, "Banana", 2, "Banana"},
      {"list: a text that is no item", ddDropDownList, 0, 0, "apple", -1, "apple"},
      {"drop-down: -1 empties", ddDropDown, 0, -1, nullptr, -1, ""},
      {"drop-down, bit 3: the text stays", ddDropDown, eoIndexKeepsText, 0, nullptr, 0, "avocado"},
      {"drop-down: a text leaves the index", ddDropDown, 0, 0, "Banana", 1, "Banana"},
      {"no style: the text stays", ddNone, 0, 2, nullptr, 2, "avocado"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Style(ddDropDown, Fruits, 1);
    e->SetEditOptions(r.options);
    e->SetDropDownStyle(r.style);
    if (r.text) e->SetText(r.text);
    if (!r.text) e->SetItemIndex(r.index);
    EXPECT_EQ(e->ItemIndex(), r.indexAfter);
    EXPECT_EQ(e->Text(), r.textAfter);
  }
  // -1 stays -1 though its empty text is an item; the open list's selection follows; the combo
  // box's message opens the list.
  Style(ddDropDownList, {"A", "", "B"}, 0);
  e->SetItemIndex(-1);
  EXPECT_EQ(e->ItemIndex(), -1);
  SendMessageW(e->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(Shown());
  e->SetText("B");
  EXPECT_EQ(List()->ItemIndex(), 2);
  // No items: one row.
  e->SetDroppedDown(false);
  e->Items.clear();
  e->SetDroppedDown(true);
  EXPECT_EQ(List()->RowCount(), 1);
}

// Prefixed display lines show in the list; a pick takes the item at the picked place.
TEST_F(DropDownItems, APickFromPrefixedLinesTakesTheItem) {
  const std::vector<std::string> lines = {"001Tokyo", "002Osaka"};
  Style(ddDropDown, Fruits, 0);
  e->PrefixLength = 3;
  e->SetDisplayLines(lines);
  ASSERT_TRUE(Focus());
  ASSERT_TRUE(X(ToText() + "key alt+Down"));
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }));
  EXPECT_EQ(List()->Items(), lines);
  EXPECT_TRUE(e->TextFromItems());
  ASSERT_TRUE(Type("Down Return"));
  EXPECT_EQ(e->Text(), "Osaka");
  EXPECT_EQ(e->ItemIndex(), 1);
}

TEST_F(DropDownItems, AFailingOnDropDownLeavesTheListClosed) {
  Style(ddDropDown, Fruits, 0);
  e->OnDropDown = [](TComponent*) { throw ELuError("開けません"); };
  EXPECT_THROW(e->SetDroppedDown(true), ELuError);
  EXPECT_TRUE(Closed());
  e->OnDropDown = nullptr;
  e->SetDropDownDisable(true);
  e->SetDroppedDown(true);
  EXPECT_TRUE(Closed());
}

// With the list closed: the list style's Down, Up and Delete, and Enter in an empty field with
// DropDownByNullEnter, which opens the list whether or not Enter moves on.
TEST_F(DropDownItems, KeysOfAClosedList) {
  enum To { Field, Next };
  const struct {
    TLuDropDownStyle style;
    const char* text;
    bool returnNext;
    const char* keys;
    int index, fired;
    bool opens;
    To focus;
    const char* pressed;
  } rows[] = {
      {ddDropDownList, "", 1, "Down", 2, 1, 0, Field, ""},
      {ddDropDownList, "", 1, "Down Down", 2, 1, 0, Field, ""},
      {ddDropDownList, "", 1, "Up Up", 0, 1, 0, Field, ""},
      {ddDropDownList, "", 1, "Delete shift+Delete BackSpace", 1, 0, 0, Field, ""},
      {ddDropDownList, "", 1, "shift+Home", -1, 0, 0, Field, ""},
      {ddDropDown, "", 1, "Return", 1, 0, 1, Field, ""},
      {ddDropDown, "", 0, "Return", 1, 0, 1, Field, ""},
      {ddDropDown, "x", 1, "Return", 1, 0, 0, Next, ""},
      {ddDropDown, "x", 0, "Return", 1, 0, 0, Field, "既定"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.keys);
    Style(r.style, Fruits, 1);
    if (r.style == ddDropDown) e->SetText(r.text);
    e->DropDownByNullEnter = true;
    e->ReturnNext = r.returnNext;
    selected = 0;
    f->Pressed.clear();
    ASSERT_TRUE(Focus());
    if (r.opens) {
      ASSERT_TRUE(X(ToText() + "key " + r.keys));
      EXPECT_TRUE(PumpUntil([&] { return Shown(); }));
    }
    ASSERT_TRUE(Type(r.opens ? "Escape" : r.keys));
    EXPECT_TRUE(Closed());
    EXPECT_EQ(e->ItemIndex(), r.index);
    if (r.style == ddDropDownList) {
      EXPECT_EQ(e->Text(), r.index < 0 ? "" : Fruits[std::size_t(r.index)]);
    }
    EXPECT_EQ(selected, r.fired);
    EXPECT_EQ(GetFocus(), r.focus == Field ? e->Handle() : f->Next->Handle());
    EXPECT_EQ(f->Pressed, r.pressed);
  }
}
