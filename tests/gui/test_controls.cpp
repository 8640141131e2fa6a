// The controls on the real display: alignment, the memo, list box, glyph button, panels and a
// painted control, the canvas, and a new window that keeps what the old one held.
#include "gui/CustomControl.h"
#include "gui/ListBox.h"
#include "tests/gui/GuiFixture.h"

namespace {
// Paints a bar as the progress bar does: filled part, frame edges, text clipped to the fill.
class TBar : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TBar"; }
  int paints = 0;
  SIZE extent = {};

 protected:
  void Paint() override {
    ++paints;
    RECT r = ClientRect();
    Canvas.Frame3D(r, TEdge::Sunken);
    RECT fill = {3, 3, r.right / 2, r.bottom - 2};
    Canvas.Brush.SetColor(clHighlight);
    Canvas.Font.SetColor(clHighlightText);
    extent = Canvas.TextExtent("インストール中です");
    Canvas.TextRect(fill, 6, (r.bottom - extent.cy) / 2, "インストール中です");
  }
};

class TCountingList : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
  int drawn = 0;

 protected:
  void DrawItem(int index, const RECT& rect, UINT state) override {
    ++drawn;
    TCustomListBox::DrawItem(index, rect, state);
  }
};

class TfrmNotice : public TForm {
 public:
  static TFormDesc Desc() {
    TFormDesc d;
    d.Caption = "お知らせ";
    d.ClientWidth = 606;
    d.ClientHeight = 300;
    d.BorderStyle = TBorderStyle::Sizeable;
    d.Position = TPosition::ScreenCenter;
    d.Color = clWindow;
    d.Font = {"ＭＳ Ｐゴシック", -16, clWindowText, 0, SHIFTJIS_CHARSET};
    return d;
  }
  explicit TfrmNotice(TComponent* owner) : TForm(owner, Desc()) {
    Panel1 = New<TPanel>(this);
    Panel1->SetParent(this);
    Panel1->SetBevelOuter(TBevel::None);
    Panel1->SetHeight(41);
    Panel1->SetAlign(TAlign::Bottom);
    OkButton = New<TBitBtn>(this);
    OkButton->SetParent(Panel1);
    OkButton->SetBounds(276, 8, 75, 25);
    OkButton->SetCaption("OK");
    OkButton->SetGlyph(MakeTestBitmap(36, 18, RGB(255, 0, 255), RGB(0, 128, 0)));
    OkButton->SetDefault(true);
    Panel2 = New<TPanel>(this);
    Panel2->SetParent(this);
    Panel2->SetBevelOuter(TBevel::None);
    Panel2->SetWidth(61);
    Panel2->SetAlign(TAlign::Left);
    Top = New<TPanel>(this);
    Top->SetParent(this);
    Top->SetHeight(120);
    Top->SetAlign(TAlign::Top);
    List = New<TCountingList>(this);
    List->SetParent(Top);
    List->SetBounds(8, 8, 200, 100);
    List->SetStyle(TListBoxStyle::OwnerDrawFixed);
    List->SetItemHeight(20);
    List->SetItems({"令和", "平成", "昭和"});
    Bar = New<TBar>(this);
    Bar->SetParent(Top);
    Bar->SetBounds(220, 8, 360, 25);
    Wrapped = New<TLabel>(this);
    Wrapped->SetParent(Top);
    Wrapped->SetWordWrap(true);
    Wrapped->SetAutoSize(false);
    Wrapped->SetTransparent(true);
    Wrapped->SetBounds(220, 44, 200, 60);
    Wrapped->SetCaption("折り返すラベルです。長い文は次の行に続きます。");
    Memo = New<TMemo>(this);
    Memo->SetParent(this);
    Memo->SetAlign(TAlign::Client);
    Memo->SetAlignment(TAlignment::Center);
    Memo->SetReadOnly(true);
    Memo->SetBorderSingle(false);
    Memo->SetScrollBars(TScrollStyle::Vertical);
    Memo->SetParentColor(true);
  }
  TPanel *Panel1, *Panel2, *Top;
  TBitBtn* OkButton;
  TCountingList* List;
  TBar* Bar;
  TLabel* Wrapped;
  TMemo* Memo;
};
}  // namespace

TEST_F(GuiForm, AlignedPanelsMemoListAndPaintedControl) {
  auto* f = NewForm<TfrmNotice>(Application);
  for (int i = 1; i <= 12; ++i)
    f->Memo->AddLine("ファイルを削除できません - C:\\temp\\" + std::to_string(i));
  int clicks = 0;
  f->OkButton->OnClick = [&](TComponent*) { ++clicks; };
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  // Top, bottom, left, then the client area, as the form's client is shared out.
  EXPECT_EQ(f->Top->Top(), 0);
  EXPECT_EQ(f->Top->Width(), 606);
  EXPECT_EQ(f->Panel1->Top(), 300 - 41);
  EXPECT_EQ(f->Panel1->Width(), 606);
  EXPECT_EQ(f->Panel2->Left(), 0);
  EXPECT_EQ(f->Panel2->Top(), 120);
  EXPECT_EQ(f->Panel2->Height(), 300 - 41 - 120);
  EXPECT_EQ(f->Memo->Left(), 61);
  EXPECT_EQ(f->Memo->Top(), 120);
  EXPECT_EQ(f->Memo->Width(), 606 - 61);
  EXPECT_EQ(f->Memo->Height(), 300 - 41 - 120);
  // Resizing the form shares the client out again.
  f->SetClientSize(700, 320);
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_EQ(f->Memo->Width(), 700 - 61);
  EXPECT_EQ(f->Panel1->Top(), 320 - 41);

  EXPECT_GE(f->Memo->LineCount(), 12);
  EXPECT_TRUE(GetWindowLongA(f->Memo->Handle(), GWL_STYLE) & ES_CENTER);
  EXPECT_TRUE(GetWindowLongA(f->Memo->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_GT(f->List->drawn, 0);
  f->List->SetItemIndex(1);
  EXPECT_EQ(f->List->ItemIndex(), 1);
  EXPECT_GT(f->Bar->paints, 0);
  EXPECT_GT(f->Bar->extent.cx, 100);
  EXPECT_GE(f->Bar->extent.cy, 16);

  EXPECT_FALSE(SaveScreenshot("gui_controls").empty());
  SendMessageA(f->OkButton->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(GuiForm, ANewWindowKeepsTextItemsAndFocus) {
  auto* f = NewForm<TfrmSample>(Application);
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  f->Edit1->SetFocus();
  SetWindowTextA(f->Edit1->Handle(), "D:\\モリモ\\");  // as if typed
  HWND before = f->Edit1->Handle();
  f->Edit1->SetAlignment(TAlignment::RightJustify);
  EXPECT_NE(f->Edit1->Handle(), before);
  EXPECT_TRUE(GetWindowLongA(f->Edit1->Handle(), GWL_STYLE) & ES_RIGHT);
  EXPECT_EQ(f->Edit1->Text(), "D:\\モリモ\\");
  EXPECT_EQ(GetFocus(), f->Edit1->Handle());
  EXPECT_FALSE(IsWindow(before));
}

TEST(Canvas, TextRectFillsAndClipsToItsRectangle) {
  WindowDC screen(nullptr);
  MemoryDC mem(screen.Get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), 60, 20));
  SelectedObject sel(mem.Get(), bitmap.Get());
  RECT all = {0, 0, 60, 20};
  FillRect(mem.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TCanvas canvas;
  canvas.SetHandle(mem.Get());
  canvas.Font.Set({"ＭＳ ゴシック", -16, clBlack, 0, SHIFTJIS_CHARSET});
  canvas.Brush.SetColor(clRed);
  RECT clip = {0, 0, 20, 20};
  canvas.TextRect(clip, 0, 2, "ああああああ");
  canvas.SetHandle(nullptr);
  EXPECT_EQ(GetPixel(mem.Get(), 19, 0), RGB(255, 0, 0));  // opaque: the brush fills the rectangle
  EXPECT_EQ(GetPixel(mem.Get(), 20, 10), RGB(255, 255, 255));  // nothing drawn outside it
  int dark = 0;
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 20; ++y) dark += GetPixel(mem.Get(), x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 10);
}
