// TStatusBar and its panels.
#include "classlib/StatusBar.h"
#include <commctrl.h>
#include <vector>
#include "classlib/TypInfo.h"

namespace {
using TSB = TStatusBar;
constexpr TPropInfo StatusBarProps[] = {
  CollectionProp<&TSB::Panels>("Panels"),
  BoolProp<&TSB::SimplePanel, &TSB::SetSimplePanel>("SimplePanel", false),
  StrProp<&TSB::SimpleText, &TSB::SetSimpleText>("SimpleText"),
  BoolProp<&TSB::SizeGrip, &TSB::SetSizeGrip>("SizeGrip", true),
};

using TSP = TStatusPanel;
constexpr TPropInfo StatusPanelProps[] = {
  StrProp<&TSP::Text, &TSP::SetText>("Text"),
  IntProp<&TSP::Width, &TSP::SetWidth>("Width", 50),
};
}  // namespace

CL_DEFINE_CLASS(TStatusPanel, .Props = StatusPanelProps);
CL_DEFINE_CLASS(TStatusPanels);
CL_DEFINE_CLASS(TStatusBar, .Props = StatusBarProps);

void TStatusPanel::SetText(const std::string& value)
{
  FText = value;
  Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
  FWidth = std::max(value, 0);
  Changed(true);  // the edges of the panels after it move too
}

void TStatusPanel::Assign(TPersistent* source)
{
  if (auto* other = dynamic_cast<TStatusPanel*>(source)) {
    FText = other->FText;
    FWidth = other->FWidth;
    Changed(true);
    return;
  }
  TCollectionItem::Assign(source);
}

TStatusPanels::TStatusPanels(TStatusBar* owner) : TCollection(TStatusPanel::StaticClass()), FOwner(owner) {}

TPersistent* TStatusPanels::GetOwner() const { return FOwner; }

void TStatusPanels::Update(TCollectionItem* item)
{
  if (item)
    FOwner->UpdatePanelText(item->Index());
  else
    FOwner->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), FPanels(MakeOwned<TStatusPanels>(this))
{
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TStatusBar::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, STATUSCLASSNAMEA);
  // The control's place and size are the layout's, not its own.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (FSizeGrip) params.Style |= SBARS_SIZEGRIP;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TStatusBar::CreateWnd()
{
  TWinControl::CreateWnd();
  UpdatePanels();
  UpdateSimpleText();
  SendMessageA(FHandle, SB_SIMPLE, FSimplePanel, 0);
}

void TStatusBar::UpdatePanels()
{
  if (!FHandle) return;
  int count = FPanels->Count();
  if (count == 0) {
    int edge = -1;
    SendMessageA(FHandle, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    SendMessageA(FHandle, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    return;
  }
  std::vector<int> edges(static_cast<size_t>(count));
  int right = 0;
  for (int i = 0; i < count - 1; ++i) {
    right += FPanels->Items(i)->Width();
    edges[static_cast<size_t>(i)] = right;
  }
  edges.back() = -1;
  SendMessageA(FHandle, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < count; ++i) UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int index)
{
  if (!FHandle || index < 0 || index >= FPanels->Count()) return;
  SendMessageA(FHandle, SB_SETTEXTA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(FPanels->Items(index)->Text().c_str()));
}

void TStatusBar::UpdateSimpleText()
{
  if (FHandle) SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSimplePanel(bool value)
{
  FSimplePanel = value;
  if (FHandle) SendMessageA(FHandle, SB_SIMPLE, value, 0);
}

void TStatusBar::SetSimpleText(const std::string& value)
{
  FSimpleText = value;
  UpdateSimpleText();
}

void TStatusBar::SetSizeGrip(bool value)
{
  SetAndNotify(FSizeGrip, value, [this] { RecreateWnd(); });
}
