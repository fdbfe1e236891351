#pragma once
// The list view tests' fixture: a form on top of the others with a report-view list view of two
// columns, in the ultra-flat look without the native style, and helpers to fill it, print its
// header and reach the native header.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/editors/cxListView.h"

namespace listview_test {

class ListViewFixture : public testing::Test {
protected:
  void SetUp() override
  {
    Form = New<TForm>(Application, CreateNew);
    Form->SetClientSize(360, 260);
    List = New<TcxListView>(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 300, 200);
    List->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    List->Style()->LookAndFeel()->SetNativeStyle(false);
    List->SetViewStyle(vsReport);
    AddColumn("", 80);
    AddColumn("", 100);
  }
  void TearDown() override { Free(Form); }

  TListColumn* AddColumn(const std::string& caption, int width)
  {
    TListColumn* column = List->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
    return column;
  }
  void Fill(int count)
  {
    List->Items()->BeginUpdate();
    for (int i = 0; i < count; ++i) {
      TListItem* item = List->Items()->Add();
      item->SetCaption("item " + std::to_string(i));
      item->SubItems()->Add("sub " + std::to_string(i));
    }
    List->Items()->EndUpdate();
  }
  void ShowOnTop()
  {
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(Form->Handle());
    HandleWaitingMessages();
  }
  TcxCustomInnerListView* Inner() const { return List->InnerListView(); }
  HWND Header() const { return reinterpret_cast<HWND>(SendMessageA(Inner()->Handle(), LVM_GETHEADER, 0, 0)); }
  RECT HeaderItemRect(int index) const
  {
    RECT r{};
    SendMessageA(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // The header as its painting prints it.
  void PrintHeader(TDibSurface& surface) const
  {
    SendMessageA(Header(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  }
  POINT HeaderToScreen(int x, int y) const
  {
    POINT p{x, y};
    ClientToScreen(Header(), &p);
    return p;
  }

  TForm* Form = nullptr;
  TcxListView* List = nullptr;
};

}  // namespace listview_test
