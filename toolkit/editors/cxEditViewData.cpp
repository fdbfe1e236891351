#include "toolkit/editors/cxEditViewData.h"

#include <algorithm>
#include <vector>
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsScrollBars.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditUtils.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
// The theme colour property of a part's fill.
constexpr int cxThemeFillColorProperty = 3802;
// The edit theme's part whose fill a disabled edit shows from Windows Vista on (before: the text
// part).
constexpr int cxEditThemeFillPartVista = 3;
// The combo box theme's drop-down parts of a stand-alone editor from Windows Vista on.
constexpr int cxComboThemeDropDownRightPart = 6;
constexpr int cxComboThemeDropDownLeftPart = 7;

// Content offsets, left, top, right, bottom: stand-alone, then in place.
constexpr RECT ContentOffsets[2] = {{1, 1, 1, 3}, {1, 1, 1, 1}};
constexpr RECT EveryEdge(int Width) { return RECT{Width, Width, Width, Width}; }

// The default button style by look-and-feel kind, and by border style.
constexpr TcxEditButtonStyle ButtonStyleOfKind[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
constexpr TcxEditButtonStyle ButtonStyleOfBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat,
                                                      btsOffice11};
constexpr TcxEditPopupBorderStyle PopupBorderOfKind[] = {epbsFlat, epbsFrame3D, epbsSingle, epbsSingle};

constexpr TcxButtonState ButtonStateOfEditButtonState[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};

constexpr TShiftState MouseShiftState{ssLeft, ssRight, ssMiddle, ssDouble};

// a + b, kept within the 32-bit range.
int AddClamped(int A, int B)
{
  const long long sum = static_cast<long long>(A) + B;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

bool IsZeroRect(const RECT& R) { return R.left == 0 && R.top == 0 && R.right == 0 && R.bottom == 0; }

void MoveHorizontally(RECT& R, int DX)
{
  R.left += DX;
  R.right += DX;
}

// A record grows by D: a left-aligned one to the right, pushing the left-aligned records right of
// it; a right-aligned one to the left, pushing the right-aligned records left of it.
void GrowButton(TcxCustomEditViewInfo* ViewInfo, int Index, int D)
{
  TcxEditButtonViewInfo* grown = ViewInfo->Buttons(Index);
  for (int i = 0; i < ViewInfo->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* other = ViewInfo->Buttons(i);
    if (i == Index || other->LeftAlignment != grown->LeftAlignment) continue;
    if (grown->LeftAlignment && other->Bounds.left >= grown->Bounds.right) {
      MoveHorizontally(other->Bounds, D);
      MoveHorizontally(other->VisibleBounds, D);
    } else if (!grown->LeftAlignment && other->Bounds.right <= grown->Bounds.left) {
      MoveHorizontally(other->Bounds, -D);
      MoveHorizontally(other->VisibleBounds, -D);
    }
  }
  if (grown->LeftAlignment) {
    grown->Bounds.right += D;
    grown->VisibleBounds.right += D;
  } else {
    grown->Bounds.left -= D;
    grown->VisibleBounds.left -= D;
  }
}
}  // namespace

TcxButtonState EditButtonStateToButtonState(TcxEditButtonState State)
{
  return ButtonStateOfEditButtonState[static_cast<int>(State)];
}

TcxEditButtonStyle DefaultEditButtonStyle(bool IsInplace, TcxEditBorderStyle BorderStyle, bool HotTrack,
                                          TcxLookAndFeelKind Kind)
{
  if (IsInplace || (BorderStyle == ebsNone && !HotTrack)) return ButtonStyleOfKind[static_cast<int>(Kind)];
  return ButtonStyleOfBorder[static_cast<int>(BorderStyle)];
}

TcxEditPopupBorderStyle PopupBorderStyleOfKind(TcxLookAndFeelKind Kind)
{
  return PopupBorderOfKind[static_cast<int>(Kind)];
}

// --- TcxCustomEditViewData ---

CL_DEFINE_CLASS(TcxCustomEditViewData);

bool TcxCustomEditViewData::TMeta::UsesNativeEditStyle(TcxLookAndFeel* LookAndFeel) const
{
  return IsNativeStyleAvailable(LookAndFeel && LookAndFeel->NativeStyle(), TdxThemedObjectType::totEdit);
}

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* Properties, TcxCustomEditStyle* Style,
                                             bool IsInplace)
    : IsInplace(IsInplace), Properties(Properties), FStyle(Style)
{
  if (!Properties || !Style) throw EInvalidOperation("An edit view data needs properties and a style");
}

void TcxCustomEditViewData::AfterConstruction()
{
  TPersistent::AfterConstruction();
  ResetCalculatedRects();
  InitializeFromProperties();
}

bool TcxCustomEditViewData::ClassUsesNativeEditStyle(TcxLookAndFeel* LookAndFeel) const
{
  return TcxCustomEditViewDataClass(ClassType())->UsesNativeEditStyle(LookAndFeel);
}

TcxLookAndFeel* TcxCustomEditViewData::StyleLookAndFeel() const { return FStyle->LookAndFeel(); }

TcxCustomLookAndFeelPainter* TcxCustomEditViewData::SkinPainter() const
{
  TcxLookAndFeel* lookAndFeel = StyleLookAndFeel();
  return lookAndFeel ? lookAndFeel->SkinPainter() : nullptr;
}

TcxCustomEditStyle* TcxCustomEditViewData::BaseStyle() const { return FStyle->GetRootStyle(); }

void TcxCustomEditViewData::InitializeFromProperties()
{
  VisibleButtonCount = Properties->Buttons()->VisibleCount();
  PlainUnfocusedText = !Properties->IsDisplayFormatted(false);
  HorzAlignment = Properties->GetAlignment()->Horz();
  VertAlignment = Properties->GetAlignment()->Vert();
  NativeStyle = ClassUsesNativeEditStyle(StyleLookAndFeel());
  CalculateContentOffsets(ContentOffsetBlock);
}

void TcxCustomEditViewData::ResetCalculatedRects()
{
  InplaceBorderExtent = RECT{};
  Enabled = true;
}

int TcxCustomEditViewData::GetPaintOptions()
{
  int options = PaintFlags;
  if (!IsRectEmpty(&ContentOffsetBlock.Rect)) options |= 4;
  if (ContentOffsetBlock.Flags & 1) options |= 16;
  return options;
}

TcxContainerState TcxCustomEditViewData::GetContainerState(POINT P, TShiftState Shift)
{
  if (!Enabled) return TcxContainerState{TcxContainerStateFlag::csDisabled};
  if (IsDesigning) return TcxContainerState{TcxContainerStateFlag::csNormal};
  TcxContainerState state{Focused ? TcxContainerStateFlag::csActive : TcxContainerStateFlag::csNormal};
  const RECT area = Edit ? Edit->GetContentRect() : RectInsideMargins(Bounds, InplaceBorderExtent);
  if (IsPointInRect(P, area) && (Shift.Empty() || (Edit && Edit->MouseCapture())))
    state.Include(TcxContainerStateFlag::csHotTrack);
  return state;
}

void TcxCustomEditViewData::GetContentOffsets(RECT& Offsets) { Offsets = ContentOffsets[IsInplace ? 1 : 0]; }

int TcxCustomEditViewData::GetEditState()
{
  if (!Enabled) return 4;
  if (CalculatedState.Contains(TcxContainerStateFlag::csHotTrack)) return 2;
  if (CalculatedState.Contains(TcxContainerStateFlag::csActive)) return 5;
  if (Properties->ReadOnly()) return 6;
  return 1;
}

void TcxCustomEditViewData::CalculateContentOffsets(TcxEditContentOffsetBlock& Block)
{
  Block.Rect = RECT{};
  GetContentOffsets(Block.Offsets);
  Block.Flags = cxEditContentOffsetsPressedShift;
  Block.HorzCorrection = 3 - Block.Offsets.left - Block.Offsets.right;
  Block.InplaceThemedHeightCorrection = NativeStyle && IsInplace && VisibleButtonCount > 0 ? 1 : 0;
}

void TcxCustomEditViewData::GetExtraHeight(SIZE& Extra)
{
  const TcxEditContentOffsetBlock& b = ContentOffsetBlock;
  Extra.cx = b.Offsets.left + b.Offsets.right + b.HorzCorrection;
  Extra.cy = b.Offsets.top + b.Offsets.bottom + b.InplaceThemedHeightCorrection;
}

void TcxCustomEditViewData::GetValueDisplayText(const Variant& Value, std::string& Text)
{
  (void)Value;
  Text.clear();
}

void TcxCustomEditViewData::GetDisplayTextAndFormat(const Variant& Value, std::string& Text)
{
  GetValueDisplayText(Value, Text);
  if (OnGetDisplayText) OnGetDisplayText(this, Text);
}

TcxEditButtonStyle TcxCustomEditViewData::EffectiveButtonStyle()
{
  const TcxEditButtonStyle style = FStyle->ButtonStyle();
  if (style != btsDefault) return style;
  TcxLookAndFeel* lookAndFeel = StyleLookAndFeel();
  return DefaultEditButtonStyle(IsInplace, FStyle->BorderStyle(), FStyle->HotTrack(),
                                lookAndFeel ? lookAndFeel->Kind() : lfStandard);
}

bool TcxCustomEditViewData::HasShadow() { return FStyle->Shadow() && !ClassUsesNativeEditStyle(StyleLookAndFeel()); }

// --- The main calculation ---

void TcxCustomEditViewData::CalculateState(TcxCustomEditViewInfo* ViewInfo, TShiftState Shift, POINT P)
{
  CalculatedState = GetContainerState(P, Shift);
  FocusedOrHot = CalculatedState.Contains(TcxContainerStateFlag::csActive) ||
                 CalculatedState.Contains(TcxContainerStateFlag::csHotTrack);
  if (Edit)
    if (auto* style = dynamic_cast<TcxCustomEditStyle*>(Edit->GetStyleForState(CalculatedState))) FStyle = style;
  if (IsDesigning || !FStyle->HotTrack() || IsInplace)
    ViewInfo->HotState = 0;
  else
    ViewInfo->HotState = FocusedOrHot ? 2 : 1;
  const TcxEditBorderStyle borderStyle =
      IsInplace || !NativeStyle ? GetEffectiveBorderStyle() : BaseStyle()->BorderStyle();
  ViewInfo->EditBorderStyle = borderStyle;
  ViewInfo->BorderStyle = static_cast<TcxContainerBorderStyle>(borderStyle);
}

void TcxCustomEditViewData::CalculateViewInfo(TcxCanvas* Canvas, const RECT& ABounds, bool KeepPressedButton,
                                              TcxCustomEditViewInfo* ViewInfo, TShiftState Shift,
                                              bool PointerPressed, POINT P)
{
  Shift = Shift * MouseShiftState;
  Bounds = ABounds;
  ViewInfo->Edit = Edit;

  // 1. State; a thinner border widens the content, so the hot test runs again.
  const int previousBorderWidth = ContainerBorderWidthForStyle(ViewInfo->GetBorderStyle());
  CalculateState(ViewInfo, Shift, P);
  if (!IsInplace && !NativeStyle && ContainerBorderWidthForStyle(ViewInfo->GetBorderStyle()) < previousBorderWidth)
    CalculateState(ViewInfo, Shift, P);

  // 2. What the view info takes as it stands.
  ViewInfo->ContainerState = CalculatedState;
  ViewInfo->Properties = Properties;
  ViewInfo->TakePainterFromStyle(FStyle);
  ViewInfo->Bounds = Bounds;
  ViewInfo->Enabled = Enabled;
  ViewInfo->Focused = Focused;
  ViewInfo->ErasesBackground = Edit && Edit->ErasesBackground();
  ViewInfo->InnerControlVisible = Edit && Edit->InnerControl() && Edit->InnerControl()->Visible();
  ViewInfo->DiffersFromData = Edit && Edit->DiffersFromDataValue();
  ViewInfo->IsInnerControl = Supports<IcxContainerInnerControl>(Edit) != nullptr;
  ViewInfo->IsDesigning = IsDesigning;
  ViewInfo->IsInplace = IsInplace;
  ViewInfo->PaintFlags = GetPaintOptions();
  ViewInfo->Edges = FStyle->Edges();
  ViewInfo->Font = FStyle->DirectAccessMode() ? FStyle->Font() : FStyle->GetEffectiveFont();
  ViewInfo->Shadow = !IsInplace && HasShadow();
  ViewInfo->WindowHandle = WindowHandle;
  ButtonsFillEditor = IsInplace ? Bounds.right != cxEditOpenBound && Properties->ButtonsDisplayKind() != 0
                                : Properties->ButtonsDisplayKind() == 1;

  // 3. Border and colours.
  ViewInfo->NativeStyle = NativeStyle;
  ViewInfo->ThemedObjectType = TdxThemedObjectType::totEdit;
  ViewInfo->NativeState = NativeStyle ? GetEditState() : 0;
  RECT extent{};
  CalculateBorderExtent(extent);
  ViewInfo->BorderExtent = extent;
  ViewInfo->BorderRect = RectInsideMargins(Bounds, extent);
  ViewInfo->CalculatedBorderRect = ViewInfo->BorderRect;
  ViewInfo->HasInplaceBorder = !IsZeroRect(InplaceBorderExtent);
  const auto containerBorderStyle = static_cast<TcxContainerBorderStyle>(ViewInfo->EditBorderStyle);
  ViewInfo->BorderWidth = ViewInfo->Painter ? ViewInfo->Painter->ContainerBorderWidth(containerBorderStyle)
                                            : ContainerBorderWidthForStyle(containerBorderStyle);
  if (!IsInplace) ViewInfo->BorderColor = CalculateBorderColor();
  CalculateColors(ViewInfo);

  // 4. Buttons.
  CalculateButtons(Canvas, Bounds, KeepPressedButton, ViewInfo, Shift, PointerPressed, P);

  // 5. Client and inner-control areas.
  RECT clientExtent{};
  GetClientExtent(Canvas, ViewInfo, clientExtent);
  ViewInfo->ClientRect = RectInsideMargins(Bounds, clientExtent);
  TWinControl* inner = Edit ? Edit->InnerControl() : nullptr;
  ViewInfo->InnerAreaBounds = inner ? inner->BoundsRect() : ViewInfo->ClientRect;

  // 6. The border of the drop-down window.
  ViewInfo->PopupBorderStyle = CalculatePopupBorderStyle(ViewInfo);
}

void TcxCustomEditViewData::CalculateColors(TcxCustomEditViewInfo* ViewInfo)
{
  TColor background = clDefault, text = clDefault;
  ViewInfo->GetContentColors(background, text);
  if (text == clDefault) text = FStyle->TextColor();
  if (Edit && Edit->IsParentColorDefault()) {
    background = FStyle->Color();
  } else if (background == clDefault) {
    background = FStyle->GetVisibleColor();
    // A disabled themed edit shows the theme's fill unless a colour is set.
    COLORREF fill = 0;
    if (NativeStyle && !Enabled && !FStyle->IsValueAssigned(svColor))
      if (HTHEME theme = GetThemeHandle(TdxThemedObjectType::totEdit);
          theme && SUCCEEDED(dxUxTheme::GetThemeColor(theme, WinVistaOrLater ? cxEditThemeFillPartVista : cxEditThemeTextPart,
                                                     GetEditState(), cxThemeFillColorProperty, &fill)))
        background = static_cast<TColor>(fill);
  }
  ViewInfo->BackgroundColor = background;
  ViewInfo->ContentTextColor = text;
}

TcxEditPopupBorderStyle TcxCustomEditViewData::CalculatePopupBorderStyle(TcxCustomEditViewInfo* ViewInfo)
{
  const TcxEditPopupBorderStyle style = FStyle->PopupBorderStyle();
  if (style != epbsDefault || !Edit) return style;
  if (IsInplace) {
    TcxLookAndFeel* lookAndFeel = StyleLookAndFeel();
    return PopupBorderStyleOfKind(lookAndFeel ? lookAndFeel->Kind() : lfStandard);
  }
  if (ViewInfo->EditBorderStyle != ebsNone || ViewInfo->ButtonCount() == 0)
    return ViewInfo->EditBorderStyle == ebsNone || ViewInfo->EditBorderStyle == ebsFlat ? epbsFlat : epbsSingle;
  return PopupBorderStyleOfKind(LookAndFeelKindOfButtonStyle(ViewInfo->Buttons(0)->Style));
}

// --- Buttons ---

void TcxCustomEditViewData::CalculateButtons(TcxCanvas* Canvas, const RECT& ABounds, bool KeepPressedButton,
                                             TcxCustomEditViewInfo* ViewInfo, TShiftState Shift,
                                             bool PointerPressed, POINT P)
{
  const int previousPressed = KeepPressedButton ? ViewInfo->PressedButtonIndex : -1;
  ViewInfo->PressedButtonIndex = -1;
  ViewInfo->HotButtonIndex = -1;
  LeftOuterButton = LeftInnerButton = RightOuterButton = RightInnerButton = -1;
  const TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  if (VisibleButtonCount == 0 || (!Focused && transparency == ebtHideInactive) ||
      (!FocusedOrHot && transparency == ebtHideUnselected)) {
    ViewInfo->SetButtonCount(0);
    return;
  }
  ViewInfo->SetButtonCount(VisibleButtonCount);
  ViewInfo->ButtonPressedByMouse = false;

  // The visible buttons in collection order; the records follow that order.
  std::vector<int> visible;
  TcxEditButtons* buttons = Properties->Buttons();
  for (int i = 0; i < buttons->Count(); ++i)
    if (buttons->Items(i)->Visible()) visible.push_back(i);

  RECT area = ABounds;
  const bool singleDropDown = visible.size() == 1 && buttons->Items(visible[0])->Kind() == bkDown;
  if (IsInplace || !NativeStyle || !singleDropDown || !WinVistaOrLater) {
    RECT extent{};
    GetNativeBorderExtent(Canvas, extent);
    area = RectInsideMargins(area, extent);
  }
  const int fullWidth = RectWidth(area);
  bool fontPrepared = false;
  // Taken last to first: the last visible button is the outermost of its group.
  for (int index = static_cast<int>(visible.size()) - 1; index >= 0; --index) {
    TcxEditButtonViewInfo* record = ViewInfo->Buttons(index);
    record->ButtonIndex = visible[index];
    record->Style = EffectiveButtonStyle();
    if (!fontPrepared && Canvas && buttons->Items(visible[index])->Kind() == bkText) {
      Canvas->AssignFont(FStyle->GetEffectiveFont());
      ViewInfo->PrepareCanvasFont(Canvas);
      fontPrepared = true;
    }
    CalculateButtonInfo(Canvas, ViewInfo, area, index);
  }
  StretchButtons(ViewInfo, fullWidth, RectWidth(area));
  CalculateButtonsState(ViewInfo, Shift, PointerPressed, P, previousPressed);
  MarkButtonGroupEnds(ViewInfo);
}

void TcxCustomEditViewData::CalculateButtonInfo(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Area,
                                                int Index)
{
  TcxEditButtonViewInfo* record = ViewInfo->Buttons(Index);
  TcxEditButton* button = Properties->Buttons()->Items(record->ButtonIndex);
  record->Kind = button->Kind();
  record->SingleDropDown = VisibleButtonCount == 1 && record->Kind == bkDown;
  if (record->Kind == bkText) {
    record->Caption = button->Caption();
    const TColor skinTextColor = ViewInfo->IsSkinned && ViewInfo->Painter ? ViewInfo->Painter->EditorButtonTextColor()
                                                                          : clDefault;
    record->TextColor = skinTextColor != clDefault ? skinTextColor : button->TextColor();
    record->ShownCaption = button->ShownCaption();
  } else {
    record->Caption.clear();
    record->ShownCaption.clear();
    record->TextColor = button->TextColor();
  }
  record->ContentAlignment = button->ContentAlignment();
  record->Default = button->Default();
  record->Glyph = button->HasGlyph() ? button->Glyph() : nullptr;
  record->EraseOnInvalidate = ViewInfo->ErasesBackground;
  record->Gradient = FStyle->GradientButtons();
  record->Hint = button->Hint();
  record->IsInplace = IsInplace;
  record->LeftAlignment = button->LeftAlignment();
  record->NativeStyle = ViewInfo->NativeStyle;
  record->Stretchable = button->Stretchable();
  record->Width = button->Width();
  if (record->Width == 0 && OnGetDefaultButtonWidth) OnGetDefaultButtonWidth(this, record->ButtonIndex, record->Width);
  const TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  record->Transparent = transparency == ebtAlways || (transparency == ebtInactive && !FocusedOrHot);
  record->BackgroundColor = ViewInfo->BackgroundColor;
  record->SkinPainted = ViewInfo->IsSkinned;
  CalculateButtonBounds(Canvas, ViewInfo, Area, Index);
}

void TcxCustomEditViewData::CalculateButtonBounds(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Area,
                                                  int Index)
{
  TcxEditButtonViewInfo* record = ViewInfo->Buttons(Index);
  if (IsRectEmpty(&Area)) {
    record->Bounds = RECT{};
    record->VisibleBounds = RECT{};
    return;
  }
  const TcxEditButtonWidthData widthData{.Kind = record->Kind,
                                         .Width = record->Width,
                                         .Caption = record->ShownCaption,
                                         .Glyph = record->Glyph,
                                         .NativeStyle = record->NativeStyle,
                                         .SingleDropDown = record->SingleDropDown};
  const int width = std::max(0, CalculateEditButtonWidth(Canvas, widthData));
  const int visibleWidth = std::min(width, RectWidth(Area));
  if (record->LeftAlignment) {
    record->Bounds = RECT{Area.left, Area.top, AddClamped(Area.left, width), Area.bottom};
    record->VisibleBounds = RECT{Area.left, Area.top, Area.left + visibleWidth, Area.bottom};
    Area.left += visibleWidth;
    if (LeftOuterButton < 0) LeftOuterButton = Index;
    LeftInnerButton = Index;
  } else {
    record->Bounds = RECT{AddClamped(Area.right, -width), Area.top, Area.right, Area.bottom};
    record->VisibleBounds = RECT{Area.right - visibleWidth, Area.top, Area.right, Area.bottom};
    Area.right -= visibleWidth;
    if (RightOuterButton < 0) RightOuterButton = Index;
    RightInnerButton = Index;
  }
}

void TcxCustomEditViewData::StretchButtons(TcxCustomEditViewInfo* ViewInfo, int FullWidth, int RemainingWidth)
{
  if (!ButtonsFillEditor || RemainingWidth <= 0) return;
  std::vector<int> candidates;
  long long total = 0;
  for (int i = 0; i < ViewInfo->ButtonCount(); ++i)
    if (ViewInfo->Buttons(i)->Stretchable && !IsButtonExcluded(i)) {
      candidates.push_back(i);
      total += RectWidth(ViewInfo->Buttons(i)->Bounds);
    }
  if (candidates.empty()) {
    for (int i = 0; i < ViewInfo->ButtonCount(); ++i) candidates.push_back(i);
    total = FullWidth;
  }
  if (candidates.empty() || total <= 0) return;
  int left = RemainingWidth;
  for (int k = static_cast<int>(candidates.size()) - 1; k >= 0; --k) {
    const int index = candidates[k];
    const int share = k == 0 ? left
                             : static_cast<int>(static_cast<long long>(RectWidth(ViewInfo->Buttons(index)->Bounds)) *
                                                RemainingWidth / total);
    left -= share;
    GrowButton(ViewInfo, index, share);
  }
}

void TcxCustomEditViewData::CalculateButtonsState(TcxCustomEditViewInfo* ViewInfo, TShiftState Shift,
                                                  bool PointerPressed, POINT P, int PreviousPressed)
{
  for (int i = 0; i < ViewInfo->ButtonCount(); ++i) {
    if (IsButtonExcluded(i)) continue;
    TcxEditButtonState state = CalculateButtonState(ViewInfo, i, Shift, PointerPressed, P, PreviousPressed);
    if (ViewInfo->OnButtonStateCalculated) ViewInfo->OnButtonStateCalculated(ViewInfo, i, state);
    ViewInfo->Buttons(i)->State = state;
    CalculateButtonNativeState(ViewInfo->Buttons(i));
  }
}

TcxEditButtonState TcxCustomEditViewData::CalculateButtonState(TcxCustomEditViewInfo* ViewInfo, int Index,
                                                               TShiftState Shift, bool PointerPressed, POINT P,
                                                               int PreviousPressed)
{
  TcxEditButtonViewInfo* record = ViewInfo->Buttons(Index);
  const TcxEditButtonState previous = record->State;
  const bool down = IsButtonDown(Index);
  if (!Enabled || !Properties->Buttons()->Items(record->ButtonIndex)->Enabled()) return ebsDisabled;
  if (!down && (IsDesigning || !IsPointInRect(P, record->VisibleBounds))) return ebsNormal;

  const bool leftHeld = Shift.Contains(ssLeft);
  const bool capturedHere = !PointerPressed && leftHeld && previous == ebsNormal && Edit &&
                            Edit->CapturedButtonIndex() == Index;
  const bool leftOnly = IsLeftButtonOnly(Shift, true);
  const bool leftPress = PointerPressed && leftOnly;
  const bool stillPressed = previous == ebsPressed && leftHeld;
  if (leftPress || down || stillPressed || capturedHere) ViewInfo->ButtonPressedByMouse = true;

  if (!down && Shift.Empty() && !capturedHere) {
    ViewInfo->HotButtonIndex = Index;
    return ebsHot;
  }
  if (down || (capturedHere && IsButtonEnabled(Index)) ||
      (leftOnly && ((PointerPressed && IsButtonEnabled(Index)) || Index == PreviousPressed)) || stillPressed) {
    ViewInfo->PressedButtonIndex = Index;
    return ebsPressed;
  }
  return ebsNormal;
}

void TcxCustomEditViewData::CalculateButtonNativeState(TcxEditButtonViewInfo* Button)
{
  Button->ThemePart = 0;
  Button->ThemeState = 0;
  HTHEME theme = nullptr;
  if (Button->NativeStyle) {
    theme = GetThemeHandle(Button->SingleDropDown ? TdxThemedObjectType::totComboBox
                                                  : TdxThemedObjectType::totButton);
    if (theme) {
      if (Button->SingleDropDown && WinVistaOrLater && !IsInplace)
        Button->ThemePart = Button->LeftAlignment ? cxComboThemeDropDownLeftPart : cxComboThemeDropDownRightPart;
      else
        Button->ThemePart = cxButtonThemePushPart;
      Button->ThemeState = static_cast<int>(EditButtonStateToButtonState(Button->State));
    }
  }
  if (Button->SkinPainted)
    Button->BackgroundShowsThrough = true;
  else
    Button->BackgroundShowsThrough =
        Button->ThemePart != 0 &&
        dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, Button->ThemePart, Button->ThemeState);
}

void TcxCustomEditViewData::MarkButtonGroupEnds(TcxCustomEditViewInfo* ViewInfo)
{
  for (int i = 0; i < ViewInfo->ButtonCount(); ++i) {
    ViewInfo->Buttons(i)->AtLeftEnd = false;
    ViewInfo->Buttons(i)->AtRightEnd = false;
  }
  if (LeftOuterButton >= 0) ViewInfo->Buttons(LeftOuterButton)->AtLeftEnd = true;
  if (RightOuterButton >= 0) ViewInfo->Buttons(RightOuterButton)->AtRightEnd = true;
  // The inner ends face the text; in the buttons-only view only while the other group is empty.
  if (LeftInnerButton >= 0 && (!ButtonsFillEditor || RightOuterButton < 0))
    ViewInfo->Buttons(LeftInnerButton)->AtRightEnd = true;
  if (RightInnerButton >= 0 && (!ButtonsFillEditor || LeftOuterButton < 0))
    ViewInfo->Buttons(RightInnerButton)->AtLeftEnd = true;
  if (ButtonsFillEditor)
    for (int i = 0; i < ViewInfo->ButtonCount(); ++i) ViewInfo->Buttons(i)->LeftAlignment = false;
}

// --- Border ---

TColor TcxCustomEditViewData::CalculateBorderColor()
{
  const bool highlighted = CalculatedState.Contains(TcxContainerStateFlag::csActive) ||
                           (CalculatedState.Contains(TcxContainerStateFlag::csHotTrack) && FStyle->HotTrack());
  if (TcxCustomLookAndFeelPainter* skin = SkinPainter()) return skin->ContainerBorderColorEx(highlighted);
  const TcxEditBorderStyle borderStyle = FStyle->BorderStyle();
  if (borderStyle != ebsUltraFlat && borderStyle != ebsOffice11) return FStyle->BorderColor();
  if (highlighted || (IsDesigning && Enabled)) return GetHighlightBorderColor(borderStyle == ebsOffice11);
  return clBtnShadow;
}

void TcxCustomEditViewData::CalculateBorderExtent(RECT& Extent)
{
  if (IsInplace) {
    Extent = InplaceBorderExtent;
    return;
  }
  if (SkinPainter())
    GetPainterBorderExtent(Extent);
  else if (FStyle->TransparentBorder())
    Extent = EveryEdge(cxContainerMaxBorderWidth);
  else if (!FStyle->IsBorderShown() || (NativeStyle && BaseStyle()->BorderStyle() == ebsNone))
    Extent = RECT{};
  else if (NativeStyle)
    Extent = EveryEdge(cxContainerMaxBorderWidth);
  else
    ApplyEdgesToBorderExtent(ContainerBorderWidthForStyle(static_cast<TcxContainerBorderStyle>(GetEffectiveBorderStyle())),
                             Extent);
  if (HasShadow()) {
    Extent.right += cxContainerShadowWidth;
    Extent.bottom += cxContainerShadowWidth;
  }
}

void TcxCustomEditViewData::ApplyEdgesToBorderExtent(int Width, RECT& Extent)
{
  const TcxBorders edges = FStyle->Edges();
  Extent.left = edges.Contains(TcxBorder::bLeft) ? Width : 0;
  Extent.top = edges.Contains(TcxBorder::bTop) ? Width : 0;
  Extent.right = edges.Contains(TcxBorder::bRight) ? Width : 0;
  Extent.bottom = edges.Contains(TcxBorder::bBottom) ? Width : 0;
}

void TcxCustomEditViewData::GetPainterBorderExtent(RECT& Extent)
{
  const bool transparentBorder = FStyle->TransparentBorder();
  if (!FStyle->IsBorderShown() || (FStyle->BorderStyle() == ebsNone && !transparentBorder)) {
    Extent = RECT{};
    return;
  }
  TcxCustomLookAndFeelPainter* painter = SkinPainter();
  if (!painter && StyleLookAndFeel()) painter = StyleLookAndFeel()->Painter();
  const TcxContainerBorderStyle borderStyle =
      transparentBorder ? cbsThick : static_cast<TcxContainerBorderStyle>(GetEffectiveBorderStyle());
  ApplyEdgesToBorderExtent(painter ? painter->ContainerBorderWidth(borderStyle) : ContainerBorderWidthForStyle(borderStyle),
                           Extent);
}

TcxEditBorderStyle TcxCustomEditViewData::GetEffectiveBorderStyle()
{
  if (IsInplace) return ebsNone;
  const TcxEditBorderStyle borderStyle = FStyle->BorderStyle();
  return borderStyle == ebsUltraFlat || borderStyle == ebsOffice11 ? ebsSingle : borderStyle;
}

void TcxCustomEditViewData::GetNativeBorderExtent(TcxCanvas* Canvas, RECT& Extent)
{
  if (IsInplace) {
    Extent = InplaceBorderExtent;
  } else if (!NativeStyle) {
    CalculateBorderExtent(Extent);
  } else if (BaseStyle()->BorderStyle() != ebsNone) {
    Extent = ThemeContentMargins(GetThemeHandle(TdxThemedObjectType::totEdit), Canvas ? Canvas->GetDCHandle() : nullptr,
                                 cxEditThemeTextPart, GetEditState());
  } else {
    Extent = FStyle->TransparentBorder() ? EveryEdge(cxContainerMaxBorderWidth) : RECT{};
  }
}

void TcxCustomEditViewData::GetClientExtent(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Extent)
{
  CalculateBorderExtent(Extent);
  if (Properties->ButtonsDisplayKind() != 0 && ViewInfo->ButtonCount() > 0) {
    RECT native{};
    GetNativeBorderExtent(Canvas, native);
    Extent.left = native.left;
    Extent.right = native.right;
  }
  if (HorizontalScrollBar) Extent.bottom += HorizontalScrollBar->Height();
  if (VerticalScrollBar) Extent.right += VerticalScrollBar->Width();
  // The shown part of each button: a button cut at the edge leaves no room beyond it.
  for (int i = 0; i < ViewInfo->ButtonCount(); ++i) {
    const TcxEditButtonViewInfo* record = ViewInfo->Buttons(i);
    if (IsRectEmpty(&record->VisibleBounds)) continue;
    if (record->LeftAlignment)
      Extent.left = std::max(Extent.left, record->VisibleBounds.right - Bounds.left);
    else
      Extent.right = std::max(Extent.right, Bounds.right - record->VisibleBounds.left);
  }
}

// --- Sizes ---

void TcxCustomEditViewData::CalculateEditorSize(TcxCanvas* Canvas, bool AIsInplace, SIZE& Size,
                                                TcxCustomEditViewInfo* ViewInfo, SIZE& Extra,
                                                const TcxEditSizeProperties& Limits)
{
  (void)Limits;
  Size.cx = RectWidth(ViewInfo->Bounds) - RectWidth(ViewInfo->ClientRect);
  Size.cy = RectHeight(ViewInfo->Bounds) - RectHeight(ViewInfo->ClientRect);
  Extra = SIZE{};
  int contentHeight = 0;
  bool fontPrepared = false;
  TcxEditButtons* buttons = Properties->Buttons();
  for (int i = 0; i < buttons->Count(); ++i) {
    TcxEditButton* button = buttons->Items(i);
    if (!button->Visible()) continue;
    if (button->Kind() == bkGlyph && button->HasGlyph() && IsUsableBitmap(button->Glyph())) {
      contentHeight = std::max(contentHeight, button->Glyph()->Height());
    } else if (AIsInplace && Canvas && button->Kind() == bkText) {
      if (!fontPrepared) {
        Canvas->AssignFont(FStyle->GetEffectiveFont());
        ViewInfo->PrepareCanvasFont(Canvas);
        fontPrepared = true;
      }
      contentHeight = std::max(contentHeight, Canvas->MeasureTextHeight(button->ShownCaption()));
    }
  }
  if (contentHeight <= 0) return;
  if (!SkinPainter()) {
    RECT native{};
    GetNativeBorderExtent(Canvas, native);
    contentHeight += native.top + native.bottom;
  }
  if (Canvas) contentHeight += EditButtonsVerticalContentOffset(Canvas, EffectiveButtonStyle(), ViewInfo->NativeStyle);
  Extra.cy = std::max(0, contentHeight - static_cast<int>(Size.cy));
}

void TcxCustomEditViewData::CalculateTextSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                              const TcxEditSizeProperties& Limits)
{
  (void)Canvas;
  (void)Value;
  (void)Limits;
  Size = SIZE{};
}

void TcxCustomEditViewData::CalculateSizeWithViewInfo(TcxCanvas* Canvas, const TcxEditSizeProperties& Limits,
                                                      SIZE& Size, SIZE& Extra, TcxCustomEditViewInfo* ViewInfo)
{
  TOwned<TcxCustomEditViewInfo> temporary;
  if (!ViewInfo) {
    temporary.reset(Properties->ViewInfoClassType().Create());
    ViewInfo = temporary.get();
    CalculateViewInfo(Canvas, RECT{0, 0, cxEditOpenBound, cxEditOpenBound}, false, ViewInfo, {}, false,
                      POINT{-1, -1});
  }
  CalculateEditorSize(Canvas, IsInplace, Size, ViewInfo, Extra, Limits);
}

void TcxCustomEditViewData::GetContentSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                           const TcxEditSizeProperties& Limits)
{
  if (Properties->ButtonsDisplayKind() != 0) {
    SIZE extra{};
    GetExtraHeight(extra);
    const int lineHeight = Canvas ? Canvas->MeasureFontHeight(FStyle->GetEffectiveFont()) : 0;
    Size = SIZE{0, lineHeight + extra.cy};
  } else {
    CalculateTextSize(Canvas, Value, Size, Limits);
  }
}

void TcxCustomEditViewData::CalculateEditSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                              bool AllowEditContent, TcxCustomEditViewInfo* ViewInfo,
                                              const TcxEditSizeProperties& Limits)
{
  SIZE nonClient{}, extra{};
  CalculateSizeWithViewInfo(Canvas, Limits, nonClient, extra, ViewInfo);
  TcxEditSizeProperties contentLimits = Limits;
  if (contentLimits.Height >= 0) contentLimits.Height = std::max(0, contentLimits.Height - static_cast<int>(nonClient.cy));
  if (contentLimits.Width >= 0) contentLimits.Width = std::max(0, contentLimits.Width - static_cast<int>(nonClient.cx));
  SIZE content{};
  if (AllowEditContent && (Properties->GetCapabilities() & cxEditCapabilityEditContentSize))
    GetEditContentSize(Canvas, Value, content, contentLimits);
  else
    GetContentSize(Canvas, Value, content, contentLimits);
  content.cx = std::max(content.cx, extra.cx);
  content.cy = std::max(content.cy, extra.cy);
  Size = SIZE{AddClamped(nonClient.cx, content.cx), AddClamped(nonClient.cy, content.cy)};
  if (IsInplace || !Edit) return;
  // Each limit once, in a fixed order: a minimum above the maximum wins.
  const TSizeConstraints* c = Edit->Constraints();
  if (c->MaxHeight() > 0 && Size.cy > c->MaxHeight()) Size.cy = c->MaxHeight();
  if (c->MinHeight() > 0 && Size.cy < c->MinHeight()) Size.cy = c->MinHeight();
  if (c->MaxWidth() > 0 && Size.cx > c->MaxWidth()) Size.cx = c->MaxWidth();
  if (c->MinWidth() > 0 && Size.cx < c->MinWidth()) Size.cx = c->MinWidth();
}
