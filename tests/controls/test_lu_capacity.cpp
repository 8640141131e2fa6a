// The counts of "9" and "全" that fit, checked against GetTextExtentExPoint after the window
// is made, resized, scaled and given a new font; and scaling that shrinks the font until the
// counts are back.
#include <cstdlib>

#include "tests/controls/RetNextForm.h"
#include "tests/gui/GuiFixture.h"

static bool operator==(TCapacity a, TCapacity b) {
  return a.Digits == b.Digits && a.Wide == b.Wide;
}

namespace {
class Capacity : public GuiForm {};

template <class F>
auto OnScreen(HFONT font, F measure) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  auto result = measure(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return result;
}

// The width the control offers its text: the memo's formatting rectangle, the button's client.
int Available(TWinControl* c) {
  RECT r = {};
  if (dynamic_cast<TLuMemo*>(c))
    SendMessageW(c->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  else
    GetClientRect(c->Handle(), &r);
  return r.right - r.left;
}

// Characters that fit there, by the system's own fitting.
TCapacity Fitting(TWinControl* c) {
  return OnScreen(c->Font.Handle(), [&](HDC dc) {
    int fit[2] = {};
    SIZE size;
    for (int i : {0, 1})
      GetTextExtentExPointW(dc, std::wstring(400, L"9全"[i]).c_str(), 400, Available(c), &fit[i],
                            nullptr, &size);
    return TCapacity{fit[0], fit[1]};
  });
}

TCapacity Counts(TWinControl* c) {
  if (auto* memo = dynamic_cast<TLuMemo*>(c)) return {memo->DigitCapacity(), memo->WideCapacity()};
  auto* button = static_cast<TLuButton*>(c);
  return {button->DigitCapacity(), button->WideCapacity()};
}

bool Holds(TCapacity a, TCapacity b) { return a.Digits >= b.Digits && a.Wide >= b.Wide; }
}  // namespace

// Each control is first made just wide enough for its digits. The scaled font then holds fewer
// of them in some sizes, and the shrinking makes good: the font ends at the largest height that
// holds the counts again, or below 5.
TEST_F(Capacity, ScalingShrinksTheFontUntilTheCountsAreBack) {
  enum Outcome { Scaled, Shrunk, Floor };
  struct Row {
    bool memo, parentFont, shown;  // not shown: the scaling makes the window
    int fontHeight, digits, m, d;
    Outcome outcome;
  };
  const Row rows[] = {
      {0, 0, 1, -10, 10, 4, 3, Scaled}, {0, 0, 1, -12, 10, 4, 3, Scaled},
      {0, 0, 1, -13, 10, 4, 3, Shrunk}, {0, 0, 0, -13, 10, 4, 3, Shrunk},
      {0, 1, 1, -13, 10, 4, 3, Shrunk}, {0, 0, 1, -15, 10, 4, 3, Shrunk},
      {1, 1, 1, -11, 20, 4, 3, Scaled}, {1, 1, 1, -15, 20, 4, 3, Shrunk},
      {1, 0, 1, -14, 20, 4, 3, Scaled}, {1, 0, 1, -15, 20, 4, 3, Shrunk},
      {1, 0, 1, -12, 20, 1, 2, Shrunk}, {1, 0, 1, -12, 3, 1, 4, Floor},
      {0, 0, 1, -13, 10, 1, 1, Scaled},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << (row.memo ? "memo " : "button ") << row.fontHeight
                                    << (row.parentFont ? " from the form" : "") << " by "
                                    << row.m << "/" << row.d << (row.shown ? "" : ", no window"));
    auto* f = NewForm<TfrmRetNext>(Application);
    TWinControl* c = row.memo ? static_cast<TWinControl*>(f->Memo) : f->Ok;
    c->SetParentFont(row.parentFont);
    (row.parentFont ? f->Font : c->Font).SetHeight(row.fontHeight);
    EXPECT_EQ(Counts(c), TCapacity{});
    int overhead = 0;  // a button's client area is all of it
    if (row.shown) {
      f->Show();
      ASSERT_TRUE(PumpUntilIdle());
      EXPECT_EQ(Counts(c), Fitting(c));
      overhead = c->Width() - Available(c);
    }
    int width = OnScreen(c->Font.Handle(), [&](HDC dc) {
      SIZE size;
      GetTextExtentPoint32W(dc, std::wstring(std::size_t(row.digits), L'9').c_str(), row.digits,
                            &size);
      return size.cx;
    });
    c->SetWidth(width + overhead);
    TCapacity before = row.shown ? Counts(c) : TCapacity{row.digits, 0};
    if (row.shown) { EXPECT_EQ(Counts(c), Fitting(c)); }

    f->ScaleBy(row.m, row.d);
    EXPECT_EQ(c->Width(), MulDiv(width + overhead, row.m, row.d));
    EXPECT_EQ(c->ParentFont(), row.m == row.d && row.parentFont);
    TCapacity after = Counts(c);
    EXPECT_EQ(after, Fitting(c));
    int height = c->Font.Height(), scaled = MulDiv(row.fontHeight, row.m, row.d);
    if (row.outcome == Scaled) { EXPECT_EQ(height, scaled); }
    if (row.outcome == Floor) { EXPECT_LT(std::abs(height), 5); }
    EXPECT_EQ(Holds(after, before), row.outcome != Floor);
    if (row.outcome == Shrunk) {
      // A cell height; the height tried before it (one more, or the scaled font at the first
      // step) did not hold the counts. The memo's margins follow its font: it is measured with
      // that font set.
      ASSERT_GT(height, 0);
      c->Font.SetHeight(height + 1 == std::abs(scaled) ? scaled : height + 1);
      EXPECT_EQ(Counts(c), Fitting(c));
      EXPECT_FALSE(Holds(Counts(c), before));
    }
    delete f;
  }
}
