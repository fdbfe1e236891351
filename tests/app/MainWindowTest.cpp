// The main window as its stored form makes it, and the handlers of the list, the font boxes, the
// search box and the Explorer command.
#include <gtest/gtest.h>
#include <algorithm>
#include "app/Glyphs.h"
#include "app/StandInControls.h"
#include "app/WordDocument.h"
#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/ComObj.h"
#include "classlib/Menus.h"
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/IdThreadComponent.h"
#include "classlib/ImageList.h"
#include "classlib/StdCtrls.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/panels/RzPanelStatusBar.h"
#include "toolkit/panels/RzStatus.h"
#include "tests/app/TempFolder.h"
#include "tests/support/WordStandIn.h"

TEST_F(MainWindowTest, StartsAsItsStoredFormSaysAndFormCreateSetsTheView)
{
  EXPECT_EQ(Form->Caption(), "文件检索");
  EXPECT_EQ(Form->ClientWidth(), 1006);
  EXPECT_EQ(Form->ClientHeight(), 721);
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_EQ(Form->Font()->Name(), "Tahoma");
  EXPECT_EQ(Form->Font()->Height(), -11);
  // The two toolbar rows take 60 pixels at the top; the list, the view and the status bar follow.
  auto* bars = As<TControl>(Form->FindComponent("dxBarManager1"));
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->Top(), 0);
  EXPECT_EQ(bars->Height(), 60);
  EXPECT_EQ(Form->cxListView1->Top(), 60);
  EXPECT_EQ(Form->cxListView1->Width(), 361);
  EXPECT_EQ(Form->cxListView1->ViewStyle(), vsReport);
  EXPECT_TRUE(Form->cxListView1->RowSelect());
  EXPECT_TRUE(Form->cxListView1->GridLines());  // FormCreate
  ASSERT_EQ(Form->cxListView1->Columns()->Count(), 2);
  EXPECT_EQ(Form->cxListView1->Columns()->Items(0)->Caption(), "文件列表");
  EXPECT_EQ(Form->cxListView1->Columns()->Items(0)->Width(), 109);
  EXPECT_EQ(Form->cxListView1->Columns()->Items(1)->Caption(), "文件路径");
  EXPECT_EQ(Form->cxListView1->Columns()->Items(1)->Width(), 246);
  EXPECT_EQ(Form->cxListView1->PopupMenu(), static_cast<TComponent*>(Form->PopupMenu1));
  EXPECT_NE(Form->cxListView1->InnerListView()->HeaderWindow(), nullptr);  // the painter draws the header
  EXPECT_EQ(Form->RzStatusBar1->Height(), 19);
  EXPECT_EQ(Form->RzStatusPane1->Width(), 345);
  EXPECT_EQ(Form->CountPaneText(), "");
  EXPECT_EQ(Form->FolderPaneText(), "");
  // The text view fills the rest of the window, in front of the empty Panel1 that lies behind it.
  auto* panel = As<TWinControl>(Form->FindComponent("Panel1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(Form->RichEdit1->Parent(), static_cast<TWinControl*>(Form));
  EXPECT_EQ(panel->ControlCount(), 0);
  for (TWinControl* c : {panel, static_cast<TWinControl*>(Form->RichEdit1)}) {
    EXPECT_EQ(c->Align(), alClient);
    EXPECT_EQ(c->Left(), 364) << c->Name();
    EXPECT_EQ(c->Top(), 60) << c->Name();
    EXPECT_EQ(c->Width(), 642) << c->Name();
    EXPECT_EQ(c->Height(), 642) << c->Name();
  }
  POINT middle{685, 380};
  EXPECT_EQ(ChildWindowFromPointEx(Form->Handle(), middle, CWP_SKIPINVISIBLE), Form->RichEdit1->Handle());
  const std::pair<const char*, int> tabOrders[] = {
    {"Panel1", 0}, {"cxListView1", 1}, {"RzStatusBar1", 2}, {"RichEdit1", 3}};
  for (auto [name, order] : tabOrders) EXPECT_EQ(As<TWinControl>(Form->FindComponent(name))->TabOrder(), order) << name;
  EXPECT_EQ(Form->RichEdit1->Font()->Color(), clBlack);
  EXPECT_EQ(Form->RichEdit1->Font()->Size(), 12);
  EXPECT_EQ(Form->RichEdit1->Font()->Charset(), GB2312_CHARSET);
  EXPECT_EQ(Form->RichEdit1->ScrollBars(), ssVertical);
  EXPECT_FALSE(Form->RichEdit1->HideScrollBars());
  EXPECT_EQ(Form->Extension(), "txt");
  ASSERT_EQ(Form->dxBarCombo2->Items()->Count(), 5);
  EXPECT_EQ(Form->dxBarCombo2->Items()->Strings(4), "");
  EXPECT_EQ(Form->dxBarCombo2->Style(), TComboBoxStyle::csDropDownList);
  EXPECT_FALSE(Form->Button1->Visible());
  // Buttons follow their actions; the search button keeps its own caption.
  EXPECT_EQ(Form->dxBarButton1->Caption(), "选择扫描路径");
  EXPECT_EQ(Form->dxBarButton5->Caption(), "检索文件列表");
  EXPECT_EQ(Form->dxBarButton6->Caption(), "定位查找");
  EXPECT_EQ(Form->Action1->ImageIndex(), 99);
  EXPECT_EQ(Form->Action2->ImageIndex(), 125);
  EXPECT_EQ(Form->Action3->ImageIndex(), 182);
  EXPECT_EQ(Form->ImageList1->Count(), GlyphCount);
  EXPECT_EQ(Form->Timer1->Interval(), 300u);
  EXPECT_TRUE(Form->Timer1->Enabled());
  EXPECT_FALSE(Form->IdThreadComponent1->Active());
  EXPECT_FALSE(Form->IdThreadComponent1->Loop());
}

TEST_F(MainWindowTest, TheToolbarRowsShowTheBarsLinksWithTheirGroupLinesAndWidths)
{
  // Each row from left to right; "|" is a group line (a lowered bevel) before a grouped link.
  auto row = [this](const char* bar) {
    auto* panel = As<TWinControl>(Form->FindComponent(bar));
    std::vector<TControl*> controls;
    for (int i = 0; i < panel->ControlCount(); ++i) controls.push_back(panel->Controls(i));
    std::sort(controls.begin(), controls.end(), [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
    std::vector<std::string> names;
    int right = 0;
    for (TControl* c : controls) {
      auto* line = dynamic_cast<TPanel*>(c);
      names.push_back(line && line->BevelOuter() == bvLowered && c->Width() <= 2 ? "|" : c->Name());
      EXPECT_GE(c->Left(), right) << c->Name() << " overlaps the control before it";
      right = c->Left() + c->Width();
    }
    return names;
  };
  using TNames = std::vector<std::string>;
  EXPECT_EQ(row("dxBarManager1Bar1"), (TNames{"dxBarButton1", "|", "cxBarEditItem1", "dxBarCombo2", "|", "dxBarButton5",
                                              "|", "cxBarEditItem2", "dxBarEdit4", "dxBarButton6"}));
  EXPECT_EQ(row("dxBarManager1Bar2"),
            (TNames{"cxBarEditItem4", "dxBarColorCombo1", "|", "cxBarEditItem5", "dxBarSpinEdit1"}));
  const std::pair<const char*, int> widths[] = {
    {"cxBarEditItem1", 100}, {"dxBarCombo2", 100}, {"cxBarEditItem2", 100}, {"dxBarEdit4", 246},
    {"cxBarEditItem4", 100}, {"dxBarColorCombo1", 100}, {"cxBarEditItem5", 100}, {"dxBarSpinEdit1", 100}};
  for (auto [name, width] : widths) EXPECT_EQ(As<TControl>(Form->FindComponent(name))->Width(), width) << name;
  // The group lines take no part in the tab order of the row's controls.
  const char* inOrder[] = {"dxBarButton1", "dxBarCombo2", "dxBarButton5", "dxBarEdit4", "dxBarButton6"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(As<TWinControl>(Form->FindComponent(inOrder[i]))->TabOrder(), i) << inOrder[i];
}

TEST_F(MainWindowTest, TheActionGlyphsAreDrawnAndDiffer)
{
  // 99, 125 and 182 are drawn glyphs of their own, not the page every other number shows.
  auto pixels = [this](int index) {
    TOwned<TBitmap> bmp = MakeOwned<TBitmap>();
    EXPECT_TRUE(Form->ImageList1->GetBitmap(index, bmp.get()));
    std::string all;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) all += std::to_string(GetPixel(bmp->Canvas()->Handle(), x, y)) + ",";
    return all;
  };
  std::string page = pixels(0);
  EXPECT_EQ(pixels(249), page);
  EXPECT_NE(pixels(99), page);
  EXPECT_NE(pixels(125), page);
  EXPECT_NE(pixels(182), page);
  EXPECT_NE(pixels(99), pixels(125));
  EXPECT_NE(pixels(125), pixels(182));
}

TEST_F(MainWindowTest, SelectingAnItemShowsItsTextAndResetsTheFindPosition)
{
  TTempFolder folder("select");
  std::string plain = folder.Write("a.txt", "first file\r\nline two");
  std::string other = folder.Write("b.ini", "[section]");
  AddItem(plain);
  AddItem(other);
  FindPosition = 7;
  Form->cxListView1->Items()->Item(0)->SetSelected(true);
  Pump(20);
  EXPECT_EQ(FindPosition, 0);
  EXPECT_EQ(ViewText(), "first file\r\nline two");
  Form->cxListView1->Items()->Item(1)->SetSelected(true);
  Pump(20);
  EXPECT_EQ(ViewText(), "[section]");
  // A deselection alone leaves the view as it is.
  Form->cxListView1->Items()->Item(1)->SetSelected(false);
  Pump(20);
  EXPECT_EQ(ViewText(), "[section]");
}

TEST_F(MainWindowTest, SelectingADocumentShowsItThroughTheWordProcessor)
{
  TComInitializer com;
  TWordStandIn standIn;
  TTempFolder folder("select-doc");
  AddItem(folder.Write("report.doc", "page one\fpage two"));
  Form->cxListView1->Items()->Item(0)->SetSelected(true);
  Pump(20);
  EXPECT_EQ(ViewText(), PageHeader(1) + "\r\npage one\r\n" + PageHeader(2) + "\r\npage two\r\n");
  EXPECT_NE(standIn.Log().find("Quit"), std::string::npos);
}

TEST_F(MainWindowTest, FontColourAndSizeFollowTheirBoxesAsTheUserChangesThem)
{
  // A key in the colour box picks the next colour: the box's OnChange reaches the handler.
  TColorBox* colours = Form->dxBarColorCombo1;
  colours->SetFocus();
  Pump(10);
  ASSERT_EQ(colours->Selected(), clBlack);
  SendMessageA(colours->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump(10);
  EXPECT_EQ(colours->Selected(), clMaroon);
  EXPECT_EQ(Form->RichEdit1->Font()->Color(), clMaroon);

  // "12" deleted with two Backspaces and "16" typed: the box keeps what was typed, where it was
  // typed, and the view follows each change.
  TSpinEditStandIn* size = Form->dxBarSpinEdit1;
  HWND box = size->Handle();
  size->SetFocus();
  Pump(10);
  ASSERT_EQ(size->Text(), "12");
  SendMessageA(box, EM_SETSEL, 2, 2);
  const std::pair<char, int> typed[] = {{'\b', 1}, {'\b', 0}, {'1', 1}, {'6', 16}};
  for (auto [key, value] : typed) {
    SendMessageA(box, WM_CHAR, static_cast<unsigned char>(key), 0);
    EXPECT_EQ(size->Value(), value) << size->Text();
  }
  EXPECT_EQ(size->Text(), "16");
  EXPECT_EQ(Form->RichEdit1->Font()->Size(), 16);
  // Text that is no number gives the spin edit's least value, 0; leaving the box shows it.
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, WM_CHAR, 'x', 0);
  EXPECT_EQ(size->Text(), "x");
  EXPECT_EQ(size->Value(), 0);
  Form->RichEdit1->SetFocus();
  Pump(10);
  EXPECT_EQ(size->Text(), "0");
  // A value set while nobody types in the box is shown there, and the view follows.
  size->SetValue(20);
  EXPECT_EQ(size->Text(), "20");
  EXPECT_EQ(Form->RichEdit1->Font()->Size(), 20);
}

TEST_F(MainWindowTest, TheSearchBoxTakesOnlyTextCommittedWithEnterOrTab)
{
  TBarEditStandIn* box = Form->dxBarEdit4;
  box->SetFocus();
  Pump(10);
  box->SetText("typed");
  PostMessageA(box->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(20);
  EXPECT_EQ(box->CommittedText(), "typed");
  box->SetText("again");
  PostMessageA(box->Handle(), WM_KEYDOWN, VK_TAB, 0);
  Pump(20);
  EXPECT_EQ(box->CommittedText(), "again");
  // Leaving the box by a click elsewhere drops what was typed.
  box->SetFocus();
  Pump(10);
  box->SetText("dropped");
  Form->dxBarButton6->SetFocus();
  Pump(20);
  EXPECT_EQ(box->CommittedText(), "again");
  EXPECT_EQ(box->Text(), "again");
}

TEST_F(MainWindowTest, ExplorerCommandQuotesThePathAndNeedsASelection)
{
  // Through the list's context menu: the command of its item N1 runs N1Click.
  ASSERT_EQ(Form->PopupMenu1->Items()->Count(), 1);
  ASSERT_EQ(Form->PopupMenu1->Items()->Items(0), Form->N1);
  EXPECT_TRUE(DispatchMenuCommand(Form->N1->Command()));
  EXPECT_EQ(Recorded.Messages, std::vector<std::string>{"没有选择数据"});
  EXPECT_TRUE(Recorded.ShellCalls.empty());
  AddItem("C:\\data\\a,b.txt");
  Form->N1Click(Form->N1);  // a list with no selected item
  EXPECT_EQ(Recorded.Messages.size(), 2u);
  EXPECT_TRUE(Recorded.ShellCalls.empty());
  Form->cxListView1->Items()->Item(0)->SetSelected(true);
  Form->N1Click(Form->N1);
  ASSERT_EQ(Recorded.ShellCalls.size(), 1u);
  EXPECT_EQ(Recorded.ShellCalls[0], "form|open|Explorer.exe|/e, /select,\"C:\\data\\a,b.txt\"|(null)|" +
                                        std::to_string(SW_SHOWNORMAL));
}

TEST_F(MainWindowTest, ClosingTheProgramEntryStateIsEmptiedByTheUnit)
{
  // The unit's state lives for the process; its exit step empties the two strings.
  CurrentFolder = "C:\\x";
  SearchCompletedPath.Set("C:\\x\\a.txt");
  UmainUnit.Finalize();
  EXPECT_EQ(CurrentFolder, "");
  EXPECT_EQ(SearchCompletedPath.Peek(), "");
  UmainUnit.Initialize();
}
