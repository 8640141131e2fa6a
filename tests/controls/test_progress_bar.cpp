// The progress bar: bounds and position kept in range, nested ranges as one 64-bit fraction
// (near 2^62 too), the pixel where the filled part ends, captions across ranges, the frame and
// the two colour pairs as painted.
#include "controls/ProgressBar.h"
#include "tests/gui/GuiFixture.h"

namespace {
constexpr std::int32_t M = 0x7FFFFFFF;

class Bar : public GuiForm {
 protected:
  void SetUp() override {
    GuiForm::SetUp();
    form = ShowMainForm();
  }
  // 121 × 25: the inner rectangle runs from x 3 to 119.
  TLuProgressBar* NewBar() {
    auto* bar = NewControl<TLuProgressBar>(form, form, 10, 10, 121, 25);
    EXPECT_TRUE(PumpUntilIdle());
    return bar;
  }
  static void Pop(TLuProgressBar& b) {
    b.PopRange();
    b.Recalculate();  // as the progress window's hook does
  }
  TForm* form = nullptr;
};
}  // namespace

TEST_F(Bar, BoundsPositionsAndNestedRanges) {
  struct Row {
    const char* name;
    std::function<void(TLuProgressBar&)> act;
    std::int32_t min, max, position;
    std::int64_t numerator, denominator;
    int depth, barEnd;
  };
  auto nested = [](TLuProgressBar& b) {
    b.SetMax(10);
    b.SetStep(2);
    b.SetPosition(4);
    b.PushRange(0, 4);  // the next 2 of 10 become 0..4
    b.SetPosition(2);
  };
  auto twoLevels = [&](TLuProgressBar& b) {
    nested(b);
    b.PushRange(0, 5);  // one step of the middle range, weighed by its own step only
    b.SetPosition(5);
  };
  const Row rows[] = {
      {"Max equal to Min", [](auto& b) { b.SetMax(10), b.SetMin(3), b.SetMax(3); },
       3, 4, 3, 0, 1, 0, 3},
      {"Max below Min", [](auto& b) { b.SetMin(-5), b.SetMax(-9); }, -5, -4, -4, 1, 1, 0, 119},
      {"Min above Max", [](auto& b) { b.SetMax(10), b.SetMin(12); }, 12, 13, 12, 0, 1, 0, 3},
      {"Position above Max", [](auto& b) { b.SetMax(10), b.SetPosition(11); },
       0, 10, 10, 10, 10, 0, 119},
      {"Position below Min", [](auto& b) { b.SetMax(10), b.SetPosition(4), b.SetPosition(-1); },
       0, 10, 0, 0, 10, 0, 3},
      {"StepIt stops at Max",
       [](auto& b) { b.SetMax(10), b.SetStep(3), b.StepIt(), b.StepIt(), b.StepIt(), b.StepIt(); },
       0, 10, 10, 10, 10, 0, 119},
      {"PushRange (5, 5)", [](auto& b) { b.PushRange(5, 5); }, 5, 6, 5, 0, 1, 1, 3},
      {"PushRange (7, 3)", [](auto& b) { b.PushRange(7, 3); }, 7, 8, 7, 0, 1, 1, 3},
      {"pop on an empty stack", [](auto& b) { b.SetMax(10), b.SetPosition(4), Pop(b); },
       0, 10, 4, 4, 10, 0, 49},
      {"push (0, 10): still empty", [](auto& b) { b.PushRange(0, 10); }, 0, 10, 0, 0, 10, 1, 3},
      {"push (0, 10), pop: full", [](auto& b) { b.PushRange(0, 10), Pop(b); }, 0, 1, 1, 1, 1, 0, 119},
      {"nested: 4/10 + 2/4 of 2/10", nested, 0, 4, 2, 20, 40, 1, 61},
      {"two levels", twoLevels, 0, 5, 5, 105, 200, 2, 64},
      {"two levels, one pop", [&](auto& b) { twoLevels(b), Pop(b); }, 0, 4, 3, 22, 40, 1, 67},
      {"two levels, both popped", [&](auto& b) { twoLevels(b), Pop(b), Pop(b); },
       0, 10, 6, 6, 10, 0, 73},
      {"ResetBar", [&](auto& b) { twoLevels(b), b.ResetBar(); }, 0, 10, 0, 0, 10, 0, 3},
      {"near 2^62: just under half",
       [](auto& b) { b.SetMax(M), b.SetPosition(M / 2), b.PushRange(0, M); },
       0, M, 0, std::int64_t(M / 2) * M, std::int64_t(M) * M, 1, 61},
      {"near 2^62: full",
       [](auto& b) { b.SetMax(M), b.SetPosition(M - 1), b.PushRange(0, M), b.SetPosition(M); },
       0, M, M, std::int64_t(M) * M, std::int64_t(M) * M, 1, 119},
      {"near 2^62: full, popped",
       [](auto& b) { b.SetMax(M), b.SetPosition(M - 1), b.PushRange(0, M), Pop(b); },
       0, M, M, M, M, 0, 119},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLuProgressBar* bar = NewBar();
    r.act(*bar);
    EXPECT_EQ(bar->Min(), r.min);
    EXPECT_EQ(bar->Max(), r.max);
    EXPECT_EQ(bar->Position(), r.position);
    EXPECT_EQ(bar->Numerator(), r.numerator);
    EXPECT_EQ(bar->Denominator(), r.denominator);
    EXPECT_EQ(bar->RangeDepth(), r.depth);
    EXPECT_EQ(bar->BarEnd(), r.barEnd);
    delete bar;
  }
}

TEST_F(Bar, CaptionsComeBackWithTheirRange) {
  TLuProgressBar* bar = NewBar();
  const WideString wide = u"モリモ\u00e9";
  bar->SetWideCaption(wide);
  bar->PushRange(0, 10);
  EXPECT_TRUE(bar->ShowWide());
  bar->SetCaption("morimo.exe");  // a narrow caption replaces the wide one
  EXPECT_FALSE(bar->ShowWide());
  EXPECT_TRUE(bar->WideCaption().empty());
  bar->PushRange(0, 3);
  bar->SetCaption("内側");
  Pop(*bar);
  EXPECT_EQ(bar->Caption(), "morimo.exe");
  EXPECT_EQ(ReadText(bar->Handle()), "morimo.exe");
  Pop(*bar);
  EXPECT_EQ(bar->Caption(), "");
  EXPECT_TRUE(bar->ShowWide());
  EXPECT_EQ(bar->WideCaption(), wide);
  SetWindowTextW(bar->Handle(), L"窓");  // the window text changed from outside
  EXPECT_FALSE(bar->ShowWide());
  EXPECT_EQ(bar->Caption(), "窓");
}

// The frame's five edge pairs, the filled part in BarColor and the rest in Color; a
// right-justified caption wider than the bar stays inside the frame.
TEST_F(Bar, FrameAndTwoColourPairsAsPainted) {
  TLuProgressBar* bar = NewBar();
  bar->SetMax(2);
  bar->SetPosition(1);  // BarEnd 3 + 58
  bar->Repaint();
  HDC dc = GetDC(bar->Handle());
  struct Pixel {
    const char* name;
    int x, y;
    TColor color;
  } pixels[] = {
      {"outer bottom-right", 120, 24, bar->Color()}, {"outer top-left", 0, 0, bar->Color()},
      {"dark shadow", 1, 1, SystemColor(COLOR_3DDKSHADOW)},
      {"highlight", 119, 23, SystemColor(COLOR_BTNHIGHLIGHT)}, {"black", 2, 2, clBlack},
      {"filled", 10, 12, clHighlight}, {"filled to its end", 60, 20, clHighlight},
      {"unfilled", 61, 20, bar->Color()}, {"unfilled to the frame", 118, 12, bar->Color()},
  };
  for (const Pixel& p : pixels) EXPECT_EQ(GetPixel(dc, p.x, p.y), ColorToRGB(p.color)) << p.name;
  ReleaseDC(bar->Handle(), dc);

  bar->SetAlignment(TAlignment::RightJustify);
  bar->SetCaption(std::string(80, 'W'));
  bar->Repaint();
  dc = GetDC(bar->Handle());
  EXPECT_EQ(GetPixel(dc, 1, 12), ColorToRGB(SystemColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(GetPixel(dc, 2, 12), ColorToRGB(clBlack));
  ReleaseDC(bar->Handle(), dc);
}
