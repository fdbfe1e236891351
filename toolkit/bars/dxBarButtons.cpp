// Buttons, large buttons, labels and separators: styles and radio groups, the drop-down menu with
// its recursion check, the accelerator rule, the large button's image indexes kept in step, and
// the stored form.
#include "toolkit/bars/dxBarButtons.h"

#include <utility>
#include "classlib/Filer.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr std::string_view ButtonStyleNames[] = {"bsDefault", "bsChecked", "bsDropDown", "bsCheckedDropDown"};
constexpr std::string_view GlyphLayoutNames[] = {"glLeft", "glRight", "glTop", "glBottom"};
}  // namespace

namespace {
// The link belongs to a toolbar (not to a menu).
bool IsOnToolbar(TdxBarItemLink* link)
{
  return link && link->GetLinks() && dynamic_cast<TdxBar*>(link->GetLinks()->GetOwnerComponent());
}
}  // namespace

const TEnumInfo dxBarButtonStyleInfo = EnumInfo<bsCheckedDropDown>("TdxBarButtonStyle", ButtonStyleNames);
const TEnumInfo dxBarGlyphLayoutInfo = EnumInfo<glBottom>("TdxBarGlyphLayout", GlyphLayoutNames);

namespace {
using TB = TdxBarButton;
// ButtonStyle comes before GroupIndex and Down: both depend on the style when read.
const TPropInfo ButtonProps[] = {
  BoolProp<&TB::AllowAllUp, &TB::SetAllowAllUp>("AllowAllUp", false),
  EnumProp<&TB::ButtonStyle, &TB::SetButtonStyle>("ButtonStyle", dxBarButtonStyleInfo, 0),
  BoolProp<&TB::CloseSubMenuOnClick, &TB::SetCloseSubMenuOnClick>("CloseSubMenuOnClick", true),
  BoolProp<&TB::DropDownEnabled, &TB::SetDropDownEnabled>("DropDownEnabled", true),
  IntProp<&TB::GroupIndex, &TB::SetGroupIndex>("GroupIndex", 0),
  Stored<&TB::IsDownStored>(BoolProp<&TB::Down, &TB::SetDown>("Down", false)),
  ComponentProp<&TB::DropDownMenu, &TB::SetDropDownMenu>("DropDownMenu"),
  PersistentProp<&TdxBarItem::Glyph>("Glyph"),
  Stored<&TB::IsImageIndexStored>(IntProp<&TdxBarItem::ImageIndex, &TdxBarItem::SetImageIndex>("ImageIndex", -1)),
  PersistentProp<&TdxBarItem::LargeGlyph>("LargeGlyph"),
  Stored<&TB::IsLargeImageIndexStored>(
      IntProp<&TdxBarItem::LargeImageIndex, &TdxBarItem::SetLargeImageIndex>("LargeImageIndex", -1)),
  BoolProp<&TB::Lowered, &TB::SetLowered>("Lowered", false),
  EnumProp<&TdxBarItem::PaintStyle, &TdxBarItem::SetPaintStyle>("PaintStyle", dxBarPaintStyleInfo, 0),
  Stored<&TB::IsShortCutStored>(ShortCutProp<&TdxBarItem::ShortCut, &TdxBarItem::SetShortCut>("ShortCut")),
  BoolProp<&TdxBarItem::UnclickAfterDoing, &TdxBarItem::SetUnclickAfterDoing>("UnclickAfterDoing", true),
  Stored<&TB::IsOnClickStored>(EventProp<&TdxBarItem::OnClick, &TdxBarItem::SetOnClick>("OnClick")),
};

using TL = TdxBarLargeButton;
const TPropInfo LargeButtonProps[] = {
  BoolProp<&TL::AutoGrayScale, &TL::SetAutoGrayScale>("AutoGrayScale", true),
  EnumProp<&TL::GlyphLayoutProp, &TL::SetGlyphLayoutProp>("GlyphLayout", dxBarGlyphLayoutInfo,
                                                              static_cast<int>(glTop)),
  IntProp<&TL::Height, &TL::SetHeight>("Height", 0),
  PersistentProp<&TL::HotGlyph>("HotGlyph"),
  IntProp<&TL::HotImageIndex, &TL::SetHotImageIndex>("HotImageIndex", -1),
  BoolProp<&TL::ShowCaptionProp, &TL::SetShowCaptionProp>("ShowCaption", true),
  IntProp<&TdxBarItem::Width, &TdxBarItem::SetWidth>("Width", 0),
  BoolProp<&TL::SyncImageIndex, &TL::SetSyncImageIndex>("SyncImageIndex", true),
};

using TS = TdxBarSeparator;
const TPropInfo SeparatorProps[] = {
  BoolProp<&TdxBarItem::ShowCaption, &TdxBarItem::SetShowCaption>("ShowCaption", true),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarButtonLikeItem);
CL_DEFINE_CLASS(TdxBarButton, .Props = ButtonProps);
CL_DEFINE_CLASS(TdxBarLargeButton, .Props = LargeButtonProps);
CL_DEFINE_CLASS(TdxBarLabel);
CL_DEFINE_CLASS(TdxBarSeparator, .Props = SeparatorProps);

// ----- TdxBarButton -------------------------------------------------------------------------

TdxBarButton::TdxBarButton(TComponent* owner) : TdxBarButtonLikeItem(owner) { SetUnclickAfterDoing(true); }

void TdxBarButton::Notification(TComponent* component, TOperation operation)
{
  TdxBarButtonLikeItem::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDropDownMenu) FDropDownMenu = nullptr;
}

void TdxBarButton::ForEachInGroup(void (*fn)(TdxBarButton* other, TdxBarButton* self))
{
  TdxBarManager* manager = GetBarManager();
  if (!manager || FGroupIndex == 0) return;
  TdxBarComponentList* items = manager->ItemList();
  for (int i = 0; i < items->Count(); ++i)
    if (auto* other = dynamic_cast<TdxBarButton*>(items->Items(i));
        other && other != this && other->FGroupIndex == FGroupIndex)
      fn(other, this);
}

TdxBarButton* TdxBarButton::FindDownInGroup() const
{
  TdxBarManager* manager = GetBarManager();
  if (!manager || FGroupIndex == 0) return nullptr;
  TdxBarComponentList* items = manager->ItemList();
  for (int i = 0; i < items->Count(); ++i)
    if (auto* other = dynamic_cast<TdxBarButton*>(items->Items(i)); other && other != this &&
        IsCheckedStyle(other->FButtonStyle) && other->FGroupIndex == FGroupIndex && other->FDown)
      return other;
  return nullptr;
}

void TdxBarButton::SetAllowAllUp(bool value)
{
  if (FAllowAllUp == value) return;
  FAllowAllUp = value;
  ForEachInGroup([](TdxBarButton* other, TdxBarButton* self) { other->FAllowAllUp = self->FAllowAllUp; });
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle value)
{
  if (FButtonStyle == value) return;
  FButtonStyle = value;
  ReleaseDown();
  if (!IsLoading()) RecalculateBars();
  NotifyChanged();
}

void TdxBarButton::SetGroupIndex(int value)
{
  if (FGroupIndex == value) return;
  FGroupIndex = IsCheckedStyle(FButtonStyle) ? value : 0;
  ReleaseDown();
}

void TdxBarButton::ReleaseDown()
{
  // Not through the group rule: a button that leaves its group or style is up, also when it was
  // the group's last one down.
  if (!FDown) return;
  FDown = false;
  if (!IsLoading()) UpdateControls();
}

void TdxBarButton::SetDown(bool value)
{
  if (FDown == value || (value && !IsCheckedStyle(FButtonStyle))) return;
  TdxBarButton* other = nullptr;
  if (!IsLoading() && IsCheckedStyle(FButtonStyle) && FGroupIndex != 0) {
    other = FindDownInGroup();
    // The last pressed button of a group stays down unless the group allows all up.
    if (!value && !FAllowAllUp && !other) return;
  }
  FDown = value;
  if (IsLoading()) return;
  UpdateControls();
  if (value && other) other->SetDown(false);
}

void TdxBarButton::SetDropDownEnabled(bool value)
{
  if (FDropDownEnabled == value) return;
  FDropDownEnabled = value;
  if (!IsLoading()) UpdateControls();
}

void TdxBarButton::SetLowered(bool value)
{
  if (FLowered == value) return;
  FLowered = value;
  if (!IsLoading()) RecalculateBars();
}

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* value)
{
  if (FDropDownMenu == value) return;
  if (value && value->ItemLinks()->ContainsLinksOwner(this))
    throw EdxException(GetResStringText(&dxSBAR_RECURSIVEMENUS));
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = value;
  if (value) value->FreeNotification(this);
}

bool TdxBarButton::IsDownStored() const { return !ActionLink() || !ActionLink()->IsCheckedLinked(); }
bool TdxBarButton::IsOnClickStored() const { return !ActionLink() || !ActionLink()->IsOnExecuteLinked(); }
bool TdxBarButton::IsShortCutStored() const { return !ActionLink() || !ActionLink()->IsShortCutLinked(); }
bool TdxBarButton::IsActionImageIndexStored() const { return !ActionLink() || !ActionLink()->IsImageIndexLinked(); }

TdxBarItemLinks* TdxBarButton::GetItemLinks() const { return FDropDownMenu ? FDropDownMenu->ItemLinks() : nullptr; }

bool TdxBarButton::CanUseAccelerator(TdxBarItemLink* link) const
{
  if (!GetEnabled()) return false;
  if (!IsOnToolbar(link)) return true;
  // On a toolbar the accelerator counts only where a caption shows.
  const TdxBarPaintStyle style = link->GetPaintStyle();
  if (style == psCaption || style == psCaptionGlyph) return true;
  if (auto* control = dynamic_cast<TdxBarButtonControl*>(link->Control())) {
    const TdxBarPaintStyle real = control->GetRealPaintStyle();
    return real == psCaption || real == psCaptionGlyph;
  }
  return false;
}

void TdxBarButton::PaintStyleChanged()
{
  for (int i = 0; i < GetLinkCount(); ++i)
    if (TdxBarItemLink* link = GetLink(i); link->Control() && !link->UserDefine().Contains(udPaintStyle))
      link->Control()->PaintStyleChanged();
}

void TdxBarButton::DirectClick()
{
  if (GetEnabled() && IsCheckedStyle(FButtonStyle)) SetDown(!FDown);
  TdxBarButtonLikeItem::DirectClick();
}

TdxBarCustomizingActions TdxBarButton::GetSupportedActions()
{
  TdxBarCustomizingActions actions = TdxBarButtonLikeItem::GetSupportedActions();
  actions.Include(TdxBarCustomizingAction::caPaintStyle);
  if (IsDesigning()) actions.Include(TdxBarCustomizingAction::caButtonGroup);
  return actions;
}

void TdxBarButton::DropDown(TdxBarButtonControl* control, POINT at, bool noSelection)
{
  (void)noSelection;
  if (!FDropDownMenu || !control) return;
  FDropDownMenu->Popup(at.x, at.y);
}

std::string TdxBarButton::GetLinksSectionName(const std::string& prefix) const { return prefix + "Button_" + Name(); }

bool TdxBarButton::AcceptsItem(TdxBarItem* item, std::string& message)
{
  message.clear();
  return FDropDownMenu && FDropDownMenu->AcceptsItem(item, message);
}

TCustomdxBarControl* TdxBarButton::CreateBarControl()
{
  return FDropDownMenu ? FDropDownMenu->CreateBarControl() : nullptr;
}

// ----- TdxBarLargeButton --------------------------------------------------------------------

TdxBarLargeButton::TdxBarLargeButton(TComponent* owner) : TdxBarButton(owner) { SetShowCaption(true); }

void TdxBarLargeButton::AfterConstruction()
{
  TdxBarButton::AfterConstruction();
  FHotGlyph = MakeOwned<TBitmap>();
  FHotGlyph->SetOnChange(TNotifyEvent(this, &TdxBarLargeButton::HotGlyphBitmapChanged));
}

void TdxBarLargeButton::BeforeDestruction()
{
  FHotGlyph.reset();
  TdxBarButton::BeforeDestruction();
}

void TdxBarLargeButton::DefineProperties(TFiler& filer)
{
  TdxBarButton::DefineProperties(filer);
  filer.DefineProperty(
      "ImageIndex", [this](TReader& r) { SetImageIndex(r.ReadInteger()); },
      [this](TWriter& w) { w.WriteInteger(ImageIndex()); }, !FSyncImageIndex);
}

void TdxBarLargeButton::Loaded()
{
  TdxBarButton::Loaded();
  FImageIndexRead = FLargeImageIndexRead = FSyncImageIndexRead = false;
}

void TdxBarLargeButton::SetAutoGrayScale(bool value)
{
  if (FAutoGrayScale == value) return;
  FAutoGrayScale = value;
  UpdateControls();
}

void TdxBarLargeButton::SetGlyphLayoutProp(TdxBarGlyphLayout value)
{
  if (GlyphLayout() == value) return;
  SetGlyphLayout(value);
  RecalculateBars();
}

void TdxBarLargeButton::SetHeight(int value)
{
  if (value < 0 || FHeight == value) return;
  FHeight = value;
  RecalculateBars();
}

void TdxBarLargeButton::SetHotImageIndex(int value)
{
  if (FHotImageIndex == value) return;
  FHotImageIndex = value;
  HotGlyphChanged();
}

void TdxBarLargeButton::SetSyncImageIndex(bool value)
{
  if (IsLoading()) FSyncImageIndexRead = true;
  if (FSyncImageIndex == value) return;
  FSyncImageIndex = value;
  if (value) LargeGlyphChanged();
}

bool TdxBarLargeButton::IsLargeImageIndexStored() const { return IsActionImageIndexStored(); }

void TdxBarLargeButton::LargeGlyphChanged()
{
  if (!FInSync && FSyncImageIndex) {
    if (IsLoading() && FImageIndexRead) {
      FSyncImageIndex = ImageIndex() == LargeImageIndex();
    } else {
      const bool was = std::exchange(FInSync, true);
      SetImageIndex(LargeImageIndex());
      FInSync = was;
    }
  }
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::SetImageIndex(int value)
{
  if (IsLoading() && !FInSync) FImageIndexRead = true;
  TdxBarButton::SetImageIndex(value);
  if (FInSync) return;
  if (IsLoading() && LargeImageIndex() == -1 && (FSyncImageIndex || !FSyncImageIndexRead)) {
    FInSync = true;
    SetLargeImageIndex(value);
    FInSync = false;
  } else if (!FSyncImageIndexRead) {
    // An image index set by hand at run time ends the synchronization.
    FSyncImageIndex = false;
  }
}

void TdxBarLargeButton::SetLargeImageIndex(int value)
{
  if (IsLoading()) FLargeImageIndexRead = true;
  TdxBarButton::SetLargeImageIndex(value);
}

bool TdxBarLargeButton::CanUseAccelerator(TdxBarItemLink* link) const
{
  if (!TdxBarButton::CanUseAccelerator(link)) return false;
  return !IsOnToolbar(link) || ShowCaption();
}

void TdxBarLargeButton::HotGlyphChanged()
{
  for (int i = 0; i < GetLinkCount(); ++i)
    if (TdxBarItemControl* control = GetLink(i)->Control()) control->HotGlyphChanged();
}

void TdxBarLargeButton::WidthChanged() { RecalculateBars(); }

TdxBarCustomizingActions TdxBarLargeButton::GetSupportedActions()
{
  TdxBarCustomizingActions actions = TdxBarButton::GetSupportedActions();
  actions.Exclude(TdxBarCustomizingAction::caPaintStyle);
  return actions;
}

bool TdxBarLargeButton::HasHotListImage() const
{
  TdxBarManager* manager = GetBarManager();
  return manager && IsListImageAssigned(manager->HotImages(), FHotImageIndex);
}

bool TdxBarLargeButton::HasLargeListImage() const
{
  TdxBarManager* manager = GetBarManager();
  return manager && IsListImageAssigned(manager->LargeImages(), LargeImageIndex());
}

// ----- TdxBarLabel, TdxBarSeparator ---------------------------------------------------------

TdxBarLabel::TdxBarLabel(TComponent* owner) : TdxBarItem(owner) { SetShowCaption(true); }

bool TdxBarSeparator::CanBePlacedIn(TdxBarLinksKind kind, TdxBar* bar, std::string& message) const
{
  (void)bar;
  if (kind == TdxBarLinksKind::lkMenu) {
    message.clear();
    return true;
  }
  message = GetResStringText(&dxSBAR_CANTPLACESEPARATOR);
  return false;
}

TdxBarCustomizingActions TdxBarSeparator::GetSupportedActions()
{
  TdxBarCustomizingActions actions = TdxBarLabel::GetSupportedActions();
  actions.Exclude(TdxBarCustomizingAction::caMostRecentlyUsed);
  return actions;
}
