// The bar item: life, properties, the change fan-out, the click road, the shortcut rule, styles,
// the stored form and the customizing selection.
#include "toolkit/bars/dxBarItem.h"

#include <algorithm>
#include "classlib/Application.h"
#include "classlib/Filer.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarItemActionLink.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemStyles.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxStyles.h"
#include "toolkit/controls/dxScreenTip.h"

namespace {
constexpr std::string_view AlignNames[] = {"iaLeft", "iaCenter", "iaRight", "iaClient"};
constexpr std::string_view PaintStyleNames[] = {"psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"};
}  // namespace

const TEnumInfo dxBarItemAlignInfo = EnumInfo<iaClient>("TdxBarItemAlign", AlignNames);
const TEnumInfo dxBarPaintStyleInfo = EnumInfo<psCaptionGlyph>("TdxBarPaintStyle", PaintStyleNames);

namespace {
using TI = TdxBarItem;
const TPropInfo ItemProps[] = {
  ComponentProp<&TI::Action, &TI::SetAction>("Action"),
  EnumProp<&TI::Align, &TI::SetAlign>("Align", dxBarItemAlignInfo, static_cast<int>(iaLeft)),
  Stored<&TI::IsCaptionStored>(StrProp<&TI::Caption, &TI::SetCaption>("Caption")),
  IntProp<&TI::Category, &TI::SetCategory>("Category", -1),
  StrProp<&TI::Description, &TI::SetDescription>("Description"),
  Stored<&TI::IsEnabledStored>(BoolProp<&TdxBarComponent::Enabled, &TdxBarComponent::SetEnabled>("Enabled", true)),
  Stored<&TI::IsHelpContextStored>(IntProp<&TI::HelpContext, &TI::SetHelpContext>("HelpContext", 0)),
  Stored<&TI::IsHintStored>(StrProp<&TI::Hint, &TI::SetHint>("Hint")),
  StrProp<&TI::KeyTip, &TI::SetKeyTip>("KeyTip"),
  EnumProp<&TI::MergeKind, &TI::SetMergeKind>("MergeKind", dxBarItemMergeKindInfo, static_cast<int>(mkAdd)),
  IntProp<&TI::MergeOrder, &TI::SetMergeOrder>("MergeOrder", 0),
  ComponentProp<&TI::Style, &TI::SetStyle>("Style"),
  ComponentProp<&TI::ScreenTip, &TI::SetScreenTip>("ScreenTip"),
  Stored<&TI::IsVisibleStored>(
      EnumProp<&TdxBarComponent::Visible, &TdxBarComponent::SetVisible>("Visible", dxBarItemVisibleInfo, static_cast<int>(ivAlways))),
  EventProp<&TI::OnDestroy, &TI::SetOnDestroy>("OnDestroy"),
};

TCustomAction* CustomActionOf(const TdxBarItem* item) { return dynamic_cast<TCustomAction*>(item->Action()); }

TOwned<TBitmap> NewGlyph(TdxBarItem* item, void (TdxBarItem::*handler)(TObject*))
{
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetOnChange(TNotifyEvent(item, handler));
  return bitmap;
}
}  // namespace

CL_DEFINE_CLASS(TdxBarItem, .Props = ItemProps);

bool InheritsFromClassNamed(const TObject* obj, std::string_view name)
{
  for (TClass c = obj ? obj->ClassType() : nullptr; c; c = c->Parent)
    if (name == c->Name) return true;
  return false;
}

std::string GetCaptionForHint(std::string_view caption)
{
  std::string text(caption);
  if (size_t amp = text.find('&'); amp != std::string::npos) text.erase(amp, 1);
  if (size_t dots = text.find("..."); dots != std::string::npos) text.erase(dots, 3);
  return text;
}

std::string TdxBarItem::TMeta::GetDefaultCaption() const
{
  for (TClass k = Class(); k; k = k->Parent) {
    const std::string_view name = k->Name;
    if (name == "TdxBarSeparator") return GetResStringText(&dxSBAR_NEWSEPARATORCAPTION);
    if (name == "TdxBarButton") return GetResStringText(&dxSBAR_NEWBUTTONCAPTION);
    if (name == "TCustomdxBarSubItem") return GetResStringText(&dxSBAR_NEWSUBITEMCAPTION);
  }
  return GetResStringText(&dxSBAR_NEWITEMCAPTION);
}

// --- Life ---

TdxBarItem::TdxBarItem(TComponent* owner) : TdxBarComponent(owner) {}

TdxBarItem::~TdxBarItem() = default;

void TdxBarItem::AfterConstruction()
{
  TdxBarComponent::AfterConstruction();
  TdxBarManager* manager = FindBarManagerOfComponent(FindWinControlOwner(Owner()));
  if (!manager)
    if (TdxBarManagerList* list = GetBarManagerList()) manager = list->GetManager(0);
  SetBarManager(manager);
  FStylesData = MakeOwned<TdxBarItemStylesData>(this, GetStyleCount());
  FStylesData->SetOnChanged(TdxBarStylesChangedEvent(this, &TdxBarItem::StylesChanged));
  FGlyph = NewGlyph(this, &TdxBarItem::GlyphBitmapChanged);
  FLargeGlyph = NewGlyph(this, &TdxBarItem::LargeGlyphBitmapChanged);
}

void TdxBarItem::BeforeDestruction()
{
  Destroying();
  FireNotifyEvent(FOnDestroy, this);
  ClearLinks();
  FStylesData.reset();
  FActionLink.reset();
  FGlyph.reset();
  FLargeGlyph.reset();
  ResetObjectLinks(this);
  SetBarManager(nullptr);
  TdxBarComponent::BeforeDestruction();
}

void TdxBarItem::SetBarManager(TdxBarManager* value)
{
  TdxBarManager* old = GetBarManager();
  if (old == value) return;
  if (old && old->ItemList()) old->ItemList()->Remove(this);
  TdxBarComponent::SetBarManager(value);
  if (value) value->ItemList()->Add(this);
}

void TdxBarItem::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarItem*>(source);
  if (!other) {
    TdxBarComponent::Assign(source);
    return;
  }
  SetAction(other->Action());
  SetAlign(other->Align());
  SetCaption(other->Caption());
  SetCategory(other->Category());
  SetDescription(other->Description());
  SetEnabled(other->FEnabled);
  SetHelpContext(other->HelpContext());
  SetHint(other->Hint());
  SetKeyTip(other->KeyTip());
  SetMergeKind(other->MergeKind());
  SetMergeOrder(other->MergeOrder());
  SetStyle(other->Style());
  SetScreenTip(other->ScreenTip());
  SetVisible(other->FVisible);
  FUserData = other->FUserData;
  SetGlyph(other->Glyph());
  SetImageIndex(other->ImageIndex());
  SetLargeGlyph(other->LargeGlyph());
  SetLargeImageIndex(other->LargeImageIndex());
  SetShortCut(other->ShortCut());
  SetOnClick(other->OnClick());
}

void TdxBarItem::Loaded()
{
  TdxBarComponent::Loaded();
  if (TBasicAction* action = Action()) ActionChange(action, true);
}

void TdxBarItem::Notification(TComponent* component, TOperation operation)
{
  TdxBarComponent::Notification(component, operation);
  if (operation != TOperation::opRemove || IsDestroying()) return;
  if (component == Action()) SetAction(nullptr);
  if (component == FScreenTip) SetScreenTip(nullptr);
}

void TdxBarItem::SetName(const std::string& name)
{
  TdxBarComponent::SetName(name);
  if (!IsDesigning() || !name.empty()) NotifyChanged();
}

// --- Properties ---

TBasicAction* TdxBarItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TdxBarItem::SetAction(TBasicAction* value)
{
  if (Action() == value) return;
  if (!value) {
    FActionLink.reset();
    return;
  }
  // Values applied from an action that is still being read are no change for the designer: the
  // lock is released without the notice, also when applying them raises.
  const bool actionLoading = value->IsLoading();
  TdxBarManager* manager = actionLoading ? GetBarManager() : nullptr;
  if (manager) manager->ChangeModificationLock(true);
  struct TUnlock {
    TdxBarManager* Manager;
    ~TUnlock()
    {
      if (Manager) Manager->ChangeModificationLock(false, false);
    }
  } unlock{manager};
  if (!FActionLink) {
    FActionLink.reset(As<TActionLink>(GetActionLinkClass().Create()));
    FActionLink->AssignClient(this);
  }
  FActionLink->SetAction(value);
  FActionLink->SetOnChange(TNotifyEvent(this, &TdxBarItem::DoActionChange));
  ActionChange(value, actionLoading);
  value->FreeNotification(this);
}

TClassRef<TBasicActionLink> TdxBarItem::GetActionLinkClass() const { return ClassRef<TdxBarItemActionLink>(); }

void TdxBarItem::DoActionChange(TObject* sender)
{
  if (sender && sender == Action()) ActionChange(Action(), false);
}

void TdxBarItem::ActionChange(TBasicAction* sender, bool checkDefaults)
{
  if (!CustomActionOf(this) || !dynamic_cast<TCustomAction*>(sender)) return;
  const TActionValues values = TActionValues::Of(sender);
  {
    // A caption taken from the action never makes the hint follow the caption.
    const bool wasChecking = std::exchange(FCheckDefaults, true);
    struct TRestore {
      bool& Flag;
      bool Value;
      ~TRestore() { Flag = Value; }
    } restore{FCheckDefaults, wasChecking};
    if (!checkDefaults || FCaption.empty()) SetCaption(values.Caption);
  }
  if (auto* button = dynamic_cast<TdxBarButton*>(this); button && (!checkDefaults || !button->Down()))
    button->SetDown(values.Checked);
  if (!checkDefaults || FEnabled) SetEnabled(values.Enabled);
  if (!checkDefaults || FHelpContext == 0) SetHelpContext(values.HelpContext);
  if (!checkDefaults || FHint.empty()) SetHint(values.Hint);
  if (!checkDefaults || GetActionImageIndex() == -1) SetActionImageIndex(values.ImageIndex);
  if (!checkDefaults || FShortCut == 0) SetShortCut(values.ShortCut);
  if (!checkDefaults || FVisible == ivAlways) SetVisible(VisibleToItemVisible(values.Visible));
  if (!checkDefaults || !FOnClick) SetOnClick(values.OnExecute);
}

void TdxBarItem::AssignTo(TPersistent* dest)
{
  auto* action = dynamic_cast<TCustomAction*>(dest);
  if (!action) {
    TdxBarComponent::AssignTo(dest);
    return;
  }
  action->SetCaption(Caption());
  if (auto* button = dynamic_cast<TdxBarButton*>(this)) action->SetChecked(button->Down());
  action->SetEnabled(FEnabled);
  action->SetHelpContext(FHelpContext);
  action->SetHint(Hint());
  action->SetImageIndex(FImageIndex);
  action->SetShortCut(FShortCut);
  if (FVisible != ivInCustomizing) action->SetVisible(FVisible == ivAlways);
  action->SetOnExecute(FOnClick);
}

bool TdxBarItem::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TdxBarItem::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TdxBarItem::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TdxBarItem::IsHelpContextStored() const { return !FActionLink || !FActionLink->IsHelpContextLinked(); }
bool TdxBarItem::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }

bool TdxBarItem::IsHintFromCaption() const
{
  return FHint.empty() || TakeTextBeforeBar(FHint) == GetCaptionForHint(FCaption);
}

void TdxBarItem::SetAlign(TdxBarItemAlign value)
{
  if (FAlign == value) return;
  FAlign = value;
  RecalculateBars();
}

void TdxBarItem::SetCaption(const std::string& value)
{
  if (FCaption == value) return;
  const bool hintFollows = !FCheckDefaults && !InheritsFromClassNamed(this, "TCustomdxBarSubItem") && IsHintFromCaption();
  FCaption = value;
  if (IsLoading()) return;
  if (hintFollows) {
    const size_t bar = FHint.find('|');
    std::string hint = GetCaptionForHint(value);
    if (bar != std::string::npos) hint += FHint.substr(bar);
    SetHint(hint);
  }
  CaptionChanged();
}

void TdxBarItem::SetCategory(int value)
{
  if (IsLoading()) {
    FCategory = value;
    return;
  }
  TdxBarManager* manager = GetBarManager();
  if (value == FCategory || !manager || GetIndex() < 0 || !manager->Categories()->IsIndexValid(value)) return;
  TdxBarComponentList* items = manager->ItemList();
  int last = -1;
  for (int i = 0; i < items->Count(); ++i)
    if (auto* item = static_cast<TdxBarItem*>(items->Items(i)); item != this && item->FCategory == value) last = i;
  if (last >= 0) {
    const int index = GetIndex();
    items->Move(index, last < index ? last + 1 : last);
  }
  FCategory = value;
  NotifyChanged(true);
}

void TdxBarItem::SetDescription(const std::string& value)
{
  if (FDescription == value) return;
  FDescription = value;
  NotifyChanged();
}

bool TdxBarItem::GetEnabled() const
{
  TdxBarManager* manager = GetBarManager();
  if (manager && !IsDesigning() && manager->IsCustomizing() && FCategory >= 0) return true;
  return FEnabled;
}

void TdxBarItem::SetEnabled(bool value)
{
  if (FEnabled == value) return;
  FEnabled = value;
  if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetMergeOrder(int value) { FMergeOrder = std::max(value, 0); }

void TdxBarItem::SetVisible(TdxBarItemVisible value)
{
  if (FVisible == value) return;
  FVisible = value;
  if (IsDesigning()) return;
  TdxBarManager* manager = GetBarManager();
  if (IsLoading() && !(manager && manager->IsInLoaded())) return;
  VisibleChanged();
}

void TdxBarItem::SetLargeImageIndex(int value)
{
  if (FLargeImageIndex == value) return;
  FLargeImageIndex = value;
  LargeGlyphChanged();
}

void TdxBarItem::SetImageIndex(int value)
{
  if (FImageIndex == value) return;
  FImageIndex = value;
  GlyphChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle value)
{
  if (FPaintStyle == value) return;
  FPaintStyle = value;
  if (!IsLoading()) PaintStyleChanged();
}

void TdxBarItem::SetShortCut(TShortCut value)
{
  if (FShortCut == value) return;
  FShortCut = value;
  if (!IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetWidth(int value)
{
  if (value < 0 || FWidth == value) return;
  FWidth = value;
  WidthChanged();
}

void TdxBarItem::SetShowCaption(bool value)
{
  if (FShowCaption == value) return;
  FShowCaption = value;
  if (!IsLoading()) RecalculateBars();
}

void TdxBarItem::SetScreenTip(TdxScreenTip* value)
{
  if (FScreenTip == value) return;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(this);
  FScreenTip = value;
  if (value) value->FreeNotification(this);
}

void TdxBarItem::GlyphBitmapChanged(TObject*) { GlyphChanged(); }
void TdxBarItem::LargeGlyphBitmapChanged(TObject*) { LargeGlyphChanged(); }

// --- Virtual operations ---

bool TdxBarItem::CanBePlacedIn(TdxBarLinksKind, TdxBar*, std::string& message) const
{
  message.clear();
  return true;
}

TdxBarItemControlClass TdxBarItem::GetControlClass(bool) const
{
  TdxBarItemList* registry = GetItemClassRegistry();
  return registry ? registry->FindControlClass(TdxBarItemClass(ClassType())) : TdxBarItemControlClass();
}

bool TdxBarItem::CanUseAccelerator(TdxBarItemLink*) const { return GetEnabled(); }

bool TdxBarItem::IsCompatibleWith(const TdxBarItem*) const { return false; }

bool TdxBarItem::AreMutuallyCompatible(const TdxBarItem* a, const TdxBarItem* b)
{
  return a && b && a->IsCompatibleWith(b) && b->IsCompatibleWith(a);
}

bool TdxBarItem::HandleShortCut(TShortCut shortCut)
{
  if (shortCut == 0 || !GetEnabled()) return false;
  if (CanClick() && shortCut == FShortCut) {
    DirectClick();
    return true;
  }
  TdxBarItemLinks* links = GetItemLinks();
  if (!links) return false;
  for (int i = 0; i < links->Count(); ++i)
    if (TdxBarItem* item = links->Items(i)->Item(); item && item->HandleShortCut(shortCut)) return true;
  return false;
}

TCustomImageList* TdxBarItem::GetImages() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->Images() : nullptr;
}

// --- Links and their controls ---

TdxBarItemLink* TdxBarItem::GetLink(int index) const
{
  return index >= 0 && index < GetLinkCount() ? FLinks[index] : nullptr;
}

void TdxBarItem::AddLink(TdxBarItemLink* link)
{
  if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end()) FLinks.push_back(link);
}

void TdxBarItem::RemoveLink(TdxBarItemLink* link) { std::erase(FLinks, link); }

template <class Proc>
void TdxBarItem::ForEachControl(Proc proc) const
{
  // A copy: a control's answer may change the links.
  const std::vector<TdxBarItemLink*> links = FLinks;
  for (TdxBarItemLink* link : links)
    if (TdxBarItemControl* control = link->Control()) proc(link, control);
}

TdxBarItemLink* TdxBarItem::GetActiveLink() const
{
  for (TdxBarItemLink* link : FLinks)
    if (link->Control() && link->Control()->IsActive()) return link;
  return nullptr;
}

TdxBarItemLink* TdxBarItem::GetRepresentativeLink() const
{
  TdxBarManager* manager = GetBarManager();
  TdxBarItemLink* selected = manager ? manager->GetSelectedItemLink() : nullptr;
  if (selected && selected->Item() == this) return selected;
  return GetLink(0);
}

void TdxBarItem::ClearLinks()
{
  if (FLinks.empty()) return;
  TdxBarManager* manager = GetBarManager();
  bool onToolbar = false;
  for (TdxBarItemLink* link : FLinks)
    if (link->GetBarControl() && !link->GetLinks()->IsMenu()) onToolbar = true;
  const bool update = manager && !manager->IsDestroying() && onToolbar && !manager->IsBarsUpdateLocked();
  TdxBarsUpdateScope scope(update ? manager : nullptr);
  while (!FLinks.empty()) Free(FLinks.back());
}

bool TdxBarItem::QueryControls()
{
  bool result = false;
  ForEachControl([&result](TdxBarItemLink*, TdxBarItemControl* control) { result = control->Refresh(); });
  return result;
}

void TdxBarItem::UpdateControls()
{
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->Repaint(); });
}

void TdxBarItem::RecalculateBars(TdxBarKinds kinds)
{
  // The bar controls of the kinds that show the item rebuild their layout here once they exist.
  (void)kinds;
}

void TdxBarItem::CaptionChanged()
{
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (!link->UserDefine().Contains(udCaption)) control->CaptionChanged();
  });
  NotifyChanged();
}

void TdxBarItem::EnabledChanged()
{
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) {
    control->DropCachedImage();
    control->EnabledChanged();
  });
  NotifyChanged();
}

void TdxBarItem::GlyphChanged()
{
  auto own = [](TdxBarItemLink* link) { return !link->UserDefine().Contains(udGlyph); };
  ForEachControl([&](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (!own(link)) return;
    control->DropCachedWidths();
    control->DropCachedImage();
  });
  ForEachControl([&](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (own(link)) control->GlyphChanged();
  });
  NotifyChanged();
}

void TdxBarItem::HotGlyphChanged()
{
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) {
    control->DropCachedImage();
    control->HotGlyphChanged();
  });
}

void TdxBarItem::LargeGlyphChanged()
{
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) {
    control->DropCachedWidths();
    control->DropCachedImage();
  });
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->LargeGlyphChanged(); });
  NotifyChanged();
}

void TdxBarItem::ShortCutChanged()
{
  RecalculateBars({TdxBarKind::bkSubMenu});
  NotifyChanged();
}

void TdxBarItem::VisibleChanged()
{
  TdxBarManager* manager = GetBarManager();
  try {
    TdxBarsUpdateScope update(manager);
    const std::vector<TdxBarItemLink*> links = FLinks;
    for (TdxBarItemLink* link : links)
      if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->VisibilityChanged();
  } catch (...) {
    NotifyChanged();
    throw;
  }
  NotifyChanged();
}

void TdxBarItem::WidthChanged()
{
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (!link->UserDefine().Contains(udWidth)) control->WidthChanged();
  });
}

// --- The click road ---

void TdxBarItem::DirectClick()
{
  if (CanClick()) Click();
}

void TdxBarItem::Click()
{
  if (!GetEnabled()) return;
  // A handler may free the item: its memory stays until this call ends, and nothing of it is used
  // once it is gone.
  TObjectCall call(this);
  const TWeakRef<TdxBarItem> self(this);
  try {
    if (TdxBarManager* manager = GetBarManager()) manager->DoClickItem(this);
    if (self) DoClick();
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
}

void TdxBarItem::DoClick()
{
  TBasicAction* action = Action();
  if (FOnClick && (!action || FOnClick.Method().Code != action->OnExecute().Method().Code)) {
    FOnClick(this);
    return;
  }
  if (!IsDesigning() && FActionLink) FActionLink->Execute();
}

// --- Index and modes ---

int TdxBarItem::GetIndex() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->ItemList()->IndexOf(this) : -1;
}

void TdxBarItem::SetIndex(int value)
{
  const int index = GetIndex();
  if (index < 0) return;
  TdxBarComponentList* items = GetBarManager()->ItemList();
  if (value >= 0 && value < items->Count() && value != index) items->Move(index, value);
}

bool TdxBarItem::IsVisibleInCurrentMode() const
{
  TdxBarManager* manager = GetBarManager();
  const bool customizing = manager ? manager->IsCustomizingOrDesigning() : IsDesigning();
  switch (FVisible) {
    case ivAlways:
      return HasContent() || customizing;
    case ivInCustomizing:
      return customizing;
    default:
      return false;
  }
}

bool TdxBarItem::HasOwnListImage() const { return IsListImageAssigned(GetImages(), FImageIndex); }

bool TdxBarItem::IsListImageAssigned(TCustomImageList* images, int index)
{
  return images && index >= 0 && index < images->Count();
}

void TdxBarItem::HandleDesignerDblClick()
{
  if (TdxBarManager* manager = GetBarManager()) manager->PassDblClickToDesigner(this);
}

// --- Styles ---

TcxStyle* TdxBarItem::GetStyleByIndex(int index) const
{
  return FStylesData && index >= 0 && index < FStylesData->StyleCount() ? FStylesData->GetStyle(index) : nullptr;
}

void TdxBarItem::SetStyleByIndex(int index, TcxStyle* value)
{
  if (FStylesData && index >= 0 && index < FStylesData->StyleCount()) FStylesData->SetStyle(index, value);
}

TdxBarItemStyleValues TdxBarItem::GetStyleValues(int index) const
{
  TdxBarItemStyleValues values;
  TcxStyle* style = GetStyleByIndex(index);
  if (!style) return values;
  const TcxStyleValues assigned = style->AssignedValues();
  if (assigned.Contains(TcxStyleValue::svBitmap)) values.Bitmap = style->Bitmap();
  if (assigned.Contains(TcxStyleValue::svColor)) values.Color = style->Color();
  if (assigned.Contains(TcxStyleValue::svFont)) values.Font = style->Font();
  if (assigned.Contains(TcxStyleValue::svTextColor)) values.TextColor = style->TextColor();
  return values;
}

void TdxBarItem::StylesChanged(TdxBarStylesChangeKind kind)
{
  if (IsDestroying()) return;
  if (kind == TdxBarStylesChangeKind::sckStructure) {
    const std::vector<TdxBarItemLink*> links = FLinks;
    for (TdxBarItemLink* link : links)
      if (link->Control()) link->RecreateControl();
    RecalculateBars();
  } else if (kind == TdxBarStylesChangeKind::sckDrawing) {
    ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->CalcTextMetrics(); });
    UpdateControls();
  }
}

// --- Stored form ---

void TdxBarItem::ReadState(TReader& reader)
{
  if (auto* manager = dynamic_cast<TdxBarManager*>(reader.Parent())) {
    SetBarManager(manager);
    BarManagerChanged();
  }
  TdxBarComponent::ReadState(reader);
}

TComponent* TdxBarItem::GetParentComponent() const { return FCategory >= 0 ? GetBarManager() : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* parent)
{
  if (IsLoading()) return;
  SetBarManager(As<TdxBarManager>(parent));
  BarManagerChanged();
}

// --- The customizing selection ---

bool TdxBarItem::CanDelete(bool destruction)
{
  if (GetLinkCount() > 0 && !destruction) return true;
  return TdxBarComponent::CanDelete(destruction);
}

void TdxBarItem::DeleteSelection(IdxBarSelectableItem*& reference, bool destruction)
{
  if (destruction || GetLinkCount() == 0)
    TdxBarComponent::DeleteSelection(reference, destruction);
  else
    ClearLinks();
}

void TdxBarItem::ExecuteCustomizingAction(TdxBarCustomizingAction action)
{
  if (GetLinkCount() != 1) return;
  TdxBarDesignController* controller = GetDesignController();
  if (controller && controller->LastSelectedInstance() == FLinks[0]) return;
  FLinks[0]->ExecuteCustomizingAction(action);
}

void TdxBarItem::AddMasterObjects(TList* list)
{
  TdxBarManager* manager = GetBarManager();
  TWinControl* owner = manager ? manager->GetOwnerControl() : nullptr;
  if (owner && list->IndexOf(owner) < 0) list->Add(owner);
}

IdxBarSelectableItem* TdxBarItem::GetNextSelectable()
{
  TdxBarItemLink* link = GetRepresentativeLink();
  TdxBarItemLinks* links = link ? link->GetLinks() : nullptr;
  if (!links) return nullptr;
  for (int i = link->Index() + 1; i < links->Count(); ++i)
    if (TdxBarItem* item = links->Items(i)->Item(); item && item != this) return item;
  return nullptr;
}

TPersistent* TdxBarItem::GetSelectableParent()
{
  TdxBarItemLink* link = GetRepresentativeLink();
  return link ? link->GetSelectableParent() : nullptr;
}

bool TdxBarItem::SelectParentComponent()
{
  TdxBarItemLink* link = GetRepresentativeLink();
  return link && link->SelectParentComponent();
}

TdxBarCustomizingActions TdxBarItem::GetSupportedActions()
{
  using A = TdxBarCustomizingAction;
  if (!IsDesigning()) return {A::caReset, A::caDeleteLink, A::caCaption, A::caBeginGroup};
  TdxBarDesignController* controller = GetDesignController();
  if (!controller || !controller->HasTargetLink()) return {A::caDelete};
  return {A::caReset,      A::caDelete,      A::caDeleteItem,  A::caDeleteLink, A::caCaption, A::caPosition,
          A::caViewLevels, A::caDistributed, A::caBeginGroup, A::caVisible,    A::caMostRecentlyUsed};
}
