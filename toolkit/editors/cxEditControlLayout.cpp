// The edit control's size and place: auto size, anchors that keep an edge or the centre in place
// as the size changes, the extras of the stored form, transparency and the border extent.
#include "toolkit/editors/cxEditControl.h"

#include <limits>
#include "classlib/Filer.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
constexpr int AnchorXLoaded = 1;
constexpr int AnchorYLoaded = 2;

int HalfUp(int Value) { return (Value + 1) / 2; }
}  // namespace

// --- Auto size ---

bool TcxCustomEdit::IsAutoWidth()
{
  const TAlign align = Align();
  return IsAutoSizeActive() && IsButtonsAutoWidth() && (align == alNone || align == alLeft || align == alRight);
}

bool TcxCustomEdit::IsContentAutoWidth() { return IsAutoSizeActive() && CanAutoWidth(); }

void TcxCustomEdit::GetSizeLimits(TcxEditSizeProperties& Limits)
{
  Limits.Height = -1;
  Limits.MaxLineCount = 1;
  Limits.Width = IsAutoWidth() && !IsContentAutoWidth() ? std::numeric_limits<int>::max() : Width();
}

void TcxCustomEdit::CalculateAutoSize(int& NewWidth, int& NewHeight)
{
  if (!IsAutoSizeActive()) return;
  TcxEditSizeProperties limits;
  GetSizeLimits(limits);
  auto viewData = CreateEditViewData();
  SIZE size{};
  viewData->CalculateEditSize(GetSharedScreenCanvas(), EditValue(), size, true, nullptr, limits);
  if (IsAutoWidth()) NewWidth = size.cx;
  const TAlign align = Align();
  if (align != alLeft && align != alRight && align != alClient && align != alCustom) NewHeight = size.cy;
}

bool TcxCustomEdit::CanResize(int& NewWidth, int& NewHeight)
{
  const bool result = TcxCustomEditContainer::CanResize(NewWidth, NewHeight);
  if (result && !IsLoading()) CalculateAutoSize(NewWidth, NewHeight);
  return result;
}

int TcxCustomEdit::GetHeight()
{
  if (!FHandleCreating && !HandleAllocated() && !IsDestroying() && Parent()) {
    TFlagScope creating(FHandleCreating, true);
    HandleNeeded();
  }
  return Height();
}

void TcxCustomEdit::SetAutoSize(bool Value)
{
  if (FAutoSize == Value || FIsInplace) return;
  FAutoSize = Value;
  AutoSizeChanged();
  if (!Value || !Parent()) return;
  HandleNeeded();
  LockedAdjustLayout();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::AdjustLayout()
{
  if (!HandleAllocated() || IsDestroying()) return;
  int width = Width();
  int height = GetHeight();
  CalculateAutoSize(width, height);
  int left = Left();
  int top = Top();
  if (UsesAnchors() && IsAutoWidth() && !IsContentAutoWidth()) {
    if (!FAnchorsFromStream) CalculateAnchors();
    FAnchorsFromStream = false;
    TcxEditAlignment* alignment = GetActiveProperties()->GetAlignment();
    if (UsesHorzAnchor() && FAnchorX != AnchorNotSet)
      left = alignment->Horz() == taCenter ? FAnchorX - HalfUp(width) : FAnchorX - width;
    if (UsesVertAnchor() && FAnchorY != AnchorNotSet)
      top = alignment->Vert() == taVCenter ? FAnchorY - HalfUp(height) : FAnchorY - height;
  }
  SetBounds(left, top, width, height);
  AdjustInnerEditPosition();
}

void TcxCustomEdit::CalculateAnchors()
{
  // Anchors from the stored form hold until the first layout.
  if (IsLoading() || ComponentState().Contains(TComponentStateFlag::csReading) || FAnchorsFromStream) return;
  TcxEditAlignment* alignment = GetActiveProperties()->GetAlignment();
  if (UsesHorzAnchor()) FAnchorX = Left() + (alignment->Horz() == taCenter ? HalfUp(Width()) : Width());
  if (UsesVertAnchor()) FAnchorY = Top() + (alignment->Vert() == taVCenter ? HalfUp(Height()) : Height());
}

void TcxCustomEdit::CMShowingChanged(TMessage& Message)
{
  Inherited<TcxCustomEdit>(Message);
  if (Showing()) LockedAdjustLayout();
}

void TcxCustomEdit::RequestAlign()
{
  TcxCustomEditContainer::RequestAlign();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::ChangeScale(int M, int D)
{
  if (M != D && D != 0 && (!IsLoading() || FAnchorsLoaded != 0)) {
    if ((FAnchorsLoaded & AnchorXLoaded) || (!IsLoading() && FAnchorX != AnchorNotSet)) FAnchorX = MulDiv(FAnchorX, M, D);
    if ((FAnchorsLoaded & AnchorYLoaded) || (!IsLoading() && FAnchorY != AnchorNotSet)) FAnchorY = MulDiv(FAnchorY, M, D);
    FAnchorsLoaded = 0;
  }
  TcxCustomEditContainer::ChangeScale(M, D);
}

RECT TcxCustomEdit::GetBorderExtent()
{
  const TcxContainerViewInfo* viewInfo = ViewInfo();
  const RECT& bounds = viewInfo->Bounds;
  const RECT& border = viewInfo->BorderRect;
  return RECT{border.left - bounds.left, border.top - bounds.top, bounds.right - border.right,
              bounds.bottom - border.bottom};
}

void TcxCustomEdit::SetTransparent(bool Value)
{
  if (FTransparent == Value) return;
  FTransparent = Value;
  TControlStyle style = ControlStyle();
  if (Value)
    style.Exclude(TControlStyleFlag::csOpaque);
  else
    style.Include(TControlStyleFlag::csOpaque);
  SetControlStyle(style);
  RefreshStateAtCursor(false);
}

// --- Stored form ---

void TcxCustomEdit::DefineProperties(TFiler& Filer)
{
  TcxCustomEditContainer::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TcxCustomEdit*>(Filer.Ancestor());
  const bool heightStored = !IsAutoSizeActive() && (!ancestor || ancestor->Height() != Height());
  Filer.DefineProperty(
      "Height", [this](TReader& Reader) { SetHeight(Reader.ReadInteger()); },
      [this](TWriter& Writer) { Writer.WriteInteger(GetHeight()); }, heightStored);
  const bool widthStored = !(IsAutoSizeActive() && IsButtonsAutoWidth() && !CanAutoWidth()) &&
                           (!ancestor || ancestor->Width() != Width());
  Filer.DefineProperty(
      "Width", [this](TReader& Reader) { SetWidth(Reader.ReadInteger()); },
      [this](TWriter& Writer) { Writer.WriteInteger(Width()); }, widthStored);
  // Written as computed from the bounds; read as given, marked as loaded for the scaling.
  auto defineAnchor = [&](const char* Name, int& Field, int LoadedBit) {
    Filer.DefineProperty(
        Name,
        [this, &Field, LoadedBit](TReader& Reader) {
          Field = Reader.ReadInteger();
          FAnchorsLoaded |= LoadedBit;
        },
        [this, &Field](TWriter& Writer) {
          CalculateAnchors();
          Writer.WriteInteger(Field);
        },
        true);
  };
  if (UsesHorzAnchor()) defineAnchor("AnchorX", FAnchorX, AnchorXLoaded);
  if (UsesVertAnchor()) defineAnchor("AnchorY", FAnchorY, AnchorYLoaded);
}
