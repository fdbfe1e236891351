#include "toolkit/editors/cxTextEditListBox.h"

#include <algorithm>
#include "classlib/Controls.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/editors/cxTextEdit.h"

CL_MESSAGE_MAP(TcxCustomEditListBox, {CM_SHOWINGCHANGED, &TcxCustomEditListBox::CMShowingChanged});
CL_DEFINE_CLASS(TcxCustomEditListBox);

TcxCustomEditListBox::TcxCustomEditListBox(TComponent* owner) : TcxCustomInnerListBox(owner)
{
  SetBorderStyle(TBorderStyle::bsNone);
  // The items are placeholders: every text comes from GetItemText when the item is drawn, and
  // every height from GetItemHeight when the item is measured.
  SetStyle(lbOwnerDrawVariable);
}

TcxCustomTextEdit* TcxCustomEditListBox::Edit() const { return FEdit.Get(); }
void TcxCustomEditListBox::SetEdit(TcxCustomTextEdit* edit) { FEdit = edit; }

void TcxCustomEditListBox::SetItemCount(int count)
{
  count = std::max(count, 0);
  TStrings* items = Items();
  if (items->Count() == count) return;
  items->BeginUpdate();
  try {
    while (items->Count() < count) items->Add(std::string());
    while (items->Count() > count) items->Delete(items->Count() - 1);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TcxCustomEditListBox::SelectionMoved()
{
  SyncScrollBars();
  if (FOnSelectionMoved) FOnSelectionMoved(this);
}

void TcxCustomEditListBox::SetItemIndex(int value)
{
  TcxCustomInnerListBox::SetItemIndex(value);
  SelectionMoved();
}

void TcxCustomEditListBox::Click()
{
  TcxCustomInnerListBox::Click();
  SelectionMoved();
}

bool TcxCustomEditListBox::DoDrawItem(int, const RECT&, TOwnerDrawState) { return false; }

void TcxCustomEditListBox::GetItemText(int index, std::string& text)
{
  text = index >= 0 && index < Items()->Count() ? Items()->Get(index) : std::string();
}

int TcxCustomEditListBox::GetItemsHeight(int count) { return count * GetItemHeight(-1); }

int TcxCustomEditListBox::GetItemHeight(int) { return GetFontHeight(Font()); }

int TcxCustomEditListBox::GetItemWidth(int index)
{
  std::string text;
  GetItemText(index, text);
  return MeasureFontTextWidth(Font(), text);
}

bool TcxCustomEditListBox::UsesDefaultDrawing() const
{
  TcxCustomTextEdit* edit = Edit();
  if (!edit) return false;
  const int style = edit->ActiveTextProperties()->GetEditingStyle();
  return style == 2 || style == 3;
}

// The rectangle is filled with the brush the canvas was given (the highlight for a selected
// item); the text sits vertically centred, two pixels in from the reading side.
void TcxCustomEditListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
  if (DoDrawItem(index, rect, state)) return;
  TCanvas* canvas = Canvas();
  canvas->FillRect(rect);
  if (index < 0 || index >= Count()) return;
  std::string text;
  GetItemText(index, text);
  RECT r = rect;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (UseRightToLeftAlignment()) {
    flags |= DT_RIGHT | DT_RTLREADING;
    r.right -= 2;
  } else {
    r.left += 2;
  }
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextRect(r, text, flags);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TcxCustomEditListBox::MeasureItem(int, int& height) { height = GetItemHeight(-1); }

void TcxCustomEditListBox::MouseMove(TShiftState shift, int x, int y)
{
  TcxCustomInnerListBox::MouseMove(shift, x, y);
  if (!FTrackMouse || !HandleAllocated() || GetCapture() == Handle()) return;
  const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  const int index = LOWORD(hit);
  if (HIWORD(hit) == 0 && index < Count() && index != ItemIndex()) SetItemIndex(index);
}

bool TcxCustomEditListBox::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos)
{
  if (TcxCustomInnerListBox::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  if (!HandleAllocated()) return false;
  const int lines = MouseWheelScrollLines();
  if (lines == WheelPageScroll) return SendMessageA(Handle(), WM_VSCROLL, wheelDelta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0) == 0;
  LRESULT result = 1;
  for (int i = 0; i < lines; ++i) result = SendMessageA(Handle(), WM_VSCROLL, wheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return result == 0;
}

void TcxCustomEditListBox::CMShowingChanged(TMessage& msg)
{
  Inherited<TcxCustomEditListBox>(msg);
  // The list draws itself as focused without taking the input focus from the editor.
  if (HandleAllocated()) {
    TMessage focus{WM_SETFOCUS, 0, 0, 0};
    TListBox::DefaultHandler(focus);
  }
}
