// Which control a window belongs to: found by a window property, whoever subclasses it later;
// system controls subclassed from their first message; the key preview stays within a window.
#include "gui/ListBox.h"
#include "tests/gui/GuiFixture.h"

namespace {
WNDPROC g_next = nullptr;
int g_foreignNcDestroy = 0;

// Another module's subclass over ours, as an input method or an accessibility tool may add.
LRESULT CALLBACK ForeignSubclass(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) ++g_foreignNcDestroy;
  return CallWindowProcW(g_next, w, msg, wp, lp);
}

class TProbeButton : public TButton {
 public:
  using TButton::TButton;
  int ncCreate = 0, create = 0;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_NCCREATE) ++ncCreate;
    if (msg == WM_CREATE) ++create;
    return TButton::WndProc(msg, w, l);
  }
};

class TProbeList : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
  int measured = 0;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == CN_MEASUREITEM) ++measured;
    return TCustomListBox::WndProc(msg, w, l);
  }
};
}  // namespace

TEST_F(GuiForm, ALaterSubclassKeepsReflectionAndIsNotUndone) {
  auto* f = NewForm<TfrmSample>(Application);
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  int clicks = 0;
  f->ButtonRaise->OnClick = [&](TComponent*) { ++clicks; };
  HWND b = f->ButtonRaise->Handle();
  g_foreignNcDestroy = 0;
  g_next = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignSubclass)));
  EXPECT_EQ(TWinControl::FindControl(b), f->ButtonRaise);
  SendMessageW(b, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  // A new window for the button: the old one is destroyed with the foreign subclass still in
  // its chain, and the new one works as before.
  f->ButtonRaise->RecreateWnd();
  EXPECT_EQ(g_foreignNcDestroy, 1);
  EXPECT_FALSE(IsWindow(b));
  SendMessageW(f->ButtonRaise->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  delete f;
}

TEST_F(GuiForm, SystemControlsSeeTheirCreationMessages) {
  auto* f = NewForm<TfrmSample>(Application);
  auto* button = New<TProbeButton>(f);
  button->SetParent(f);
  auto* list = New<TProbeList>(f);
  list->SetParent(f);
  list->SetStyle(TListBoxStyle::OwnerDrawFixed);
  list->SetItemHeight(23);
  list->SetItems({"令和", "平成"});
  f->Show();
  EXPECT_EQ(button->ncCreate, 1);
  EXPECT_EQ(button->create, 1);
  // The list asks its parent for the item height while it is being created.
  EXPECT_GE(list->measured, 1);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 23);
  delete f;
}

// A control asked for its window before its form has one gets exactly one.
TEST_F(GuiForm, AChildsWindowMadeFirstMakesItsFormsWindowOnce) {
  auto* f = NewForm<TfrmSample>(Application);
  HWND edit = f->Edit1->Handle();
  int edits = 0;
  for (HWND w = FindWindowExW(f->Handle(), nullptr, L"Edit", nullptr); w;
       w = FindWindowExW(f->Handle(), w, L"Edit", nullptr))
    ++edits;
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(TWinControl::FindControl(edit), f->Edit1);
  delete f;
}

// Enter in a window that the form merely owns is none of the form's business.
TEST_F(GuiForm, TheKeyPreviewFollowsParentsNotOwners) {
  auto* f = NewForm<TfrmSample>(Application);
  int clicks = 0;
  f->ButtonOk->OnClick = [&](TComponent*) { ++clicks; };
  f->Show();
  HWND popup = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 200,
                               24, f->Handle(), nullptr, nullptr, nullptr);
  ASSERT_TRUE(popup);
  PostKey(popup, VK_RETURN);
  PostKey(f->Edit1->Handle(), VK_RETURN);  // in the form's own edit it presses the default
  EXPECT_TRUE(PumpUntil([&] { return clicks > 0; }));
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_EQ(clicks, 1);
  DestroyWindow(popup);
  delete f;
}

TEST_F(GuiForm, IconsStockFontsFormCanvasAndShowingWithoutActivation) {
  TForm* main = ShowMainForm();
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main->Handle(); }));
  auto* f = NewForm<TfrmSample>(Application);
  HICON info = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_ASTERISK));
  f->Image1->SetIcon(info, true);
  EXPECT_EQ(f->Image1->Icon(), info);
  EXPECT_EQ(f->Image1->Bitmap(), nullptr);
  TFontDesc system = FontDescOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  EXPECT_FALSE(system.Name.empty());
  f->Font.Set(system);
  f->Canvas.Font.Assign(f->Font);
  EXPECT_GT(f->Canvas.TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), 52);
  f->ShowNoActivate();
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  EXPECT_EQ(GetActiveWindow(), main->Handle());
  delete f;
}

// A changed font, brush or pen leaves the DC before its GDI object is freed; Windows refuses
// to free a selected object and leaks it, where Wine frees it late and seems to succeed.
TEST(Canvas, AChangedObjectLeavesTheDcBeforeItIsFreed) {
  WindowDC screen(nullptr);
  MemoryDC mem(screen.Get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), 40, 20));
  SelectedObject sel(mem.Get(), bitmap.Get());
  TCanvas canvas;
  canvas.SetHandle(mem.Get());
  struct Case {
    const char* name;
    UINT kind;
    std::function<HGDIOBJ()> draw;  // draws with the object and returns it
    std::function<void()> change;
  };
  const Case cases[] = {
      {"font", OBJ_FONT,
       [&] { canvas.TextOut(0, 0, "あ"); return HGDIOBJ(canvas.Font.Handle()); },
       [&] { canvas.Font.SetHeight(-20); }},
      {"brush", OBJ_BRUSH,
       [&] { canvas.Rectangle({0, 0, 10, 10}); return HGDIOBJ(canvas.Brush.Handle()); },
       [&] { canvas.Brush.SetColor(clRed); }},
      {"pen", OBJ_PEN,
       [&] { canvas.MoveTo(0, 0); canvas.LineTo(9, 9); return HGDIOBJ(canvas.Pen.Handle()); },
       [&] { canvas.Pen.SetColor(clBlue); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HGDIOBJ used = c.draw();
    ASSERT_EQ(GetCurrentObject(mem.Get(), c.kind), used);
    c.change();
    EXPECT_NE(GetCurrentObject(mem.Get(), c.kind), used);
    EXPECT_EQ(GetObjectType(used), 0u);
    EXPECT_NE(c.draw(), used);  // drawing goes on with the new object
  }
  // Colour is no part of a font: the font object stays.
  HFONT font = canvas.Font.Handle();
  canvas.Font.SetColor(clRed);
  EXPECT_EQ(canvas.Font.Handle(), font);
  canvas.SetHandle(nullptr);
}
