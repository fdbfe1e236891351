#include "toolkit/controls/dxScreenTip.h"

#include <algorithm>
#include <cmath>
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClassesRegistries.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {

const TClass StreamedClasses[] = {
  TdxScreenTip::StaticClass(),         TdxScreenTipBand::StaticClass(),
  TdxScreenTipCollection::StaticClass(), TdxScreenTipStyle::StaticClass(),
  TdxScreenTipLinks::StaticClass(),    TdxScreenTipLink::StaticClass(),
  TdxScreenTipActionLinks::StaticClass(), TdxScreenTipActionLink::StaticClass(),
};

void InitializeUnit()
{
  RegisterClasses(StreamedClasses);
  RegisterClass(TdxScreenTipRepository::StaticClass());
  if (TcxRegisteredClasses* registry = GetHintStyleRegistry())
    registry->AddClassWithDescription(TdxScreenTipStyle::StaticClass(), "ScreenTip");
}

const TUnit* const Uses[] = {&UnitcxHint};

constexpr std::string_view BandTypeNames[] = {"stbHeader", "stbDescription", "stbFooter"};
const TEnumInfo BandTypeInfo = EnumInfo<stbFooter>("TdxScreenTipBandType", BandTypeNames);
constexpr std::string_view TextAlignNames[] = {"stbtaLeft", "stbtaRight"};
const TEnumInfo TextAlignInfo = EnumInfo<stbtaRight>("TdxScreenTipBandTextAlign", TextAlignNames);

// Glyph and text layout distances at 96 DPI.
constexpr int DescriptionHorzIndent = 14, OtherHorzIndent = 6, VertIndent = 6, DescriptionGlyphArea = 108,
              OtherGlyphArea = 16;

}  // namespace

TUnit UnitdxScreenTip{"dxScreenTip", Uses, InitializeUnit};

void GetDefaultScreenTipFont(TFont* font, TdxScreenTipBandType bandType)
{
  if (Screen) font->Assign(Screen->HintFont());
  font->SetColor(dxScreenTipDefaultFontColor);
  if (bandType != stbDescription) {
    TFontStyles style = font->Style();
    style.Include(TFontStyle::fsBold);
    font->SetStyle(style);
  }
}

// --- Bands ---

namespace {
using TB = TdxCustomScreenTipBand;
const TPropInfo BandProps[] = {
  PersistentProp<&TB::Glyph>("Glyph"),
  StrProp<&TB::Text, &TB::SetText>("Text"),
  EnumProp<&TB::TextAlign, &TB::SetTextAlign>("TextAlign", TextAlignInfo, static_cast<int>(stbtaRight)),
};
}  // namespace

CL_DEFINE_CLASS(TdxCustomScreenTipBand, .Props = BandProps);

TdxCustomScreenTipBand::TdxCustomScreenTipBand(TdxScreenTipBandType bandType)
    : FBandType(bandType), FGlyph(MakeOwned<TBitmap>())
{
  FGlyph->SetTransparent(true);
}

void TdxCustomScreenTipBand::SetGlyph(TBitmap* value)
{
  FGlyph->Assign(value);
  Changed();
}

void TdxCustomScreenTipBand::SetText(const std::string& value)
{
  SetAndNotify(FText, value, [this] { Changed(); });
}

void TdxCustomScreenTipBand::SetTextAlign(TdxScreenTipBandTextAlign value)
{
  SetAndNotify(FTextAlign, value, [this] { Changed(); });
}

void TdxCustomScreenTipBand::Changed()
{
  if (FOnChange) FOnChange(this);
}

void TdxCustomScreenTipBand::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxCustomScreenTipBand*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FText = other->FText;
  FTextAlign = other->FTextAlign;
  FGlyph->Assign(other->FGlyph.get());
  Changed();
}

CL_DEFINE_CLASS(TdxScreenTipBand);

TdxScreenTipBand::TdxScreenTipBand(TdxScreenTip* tip, TdxScreenTipBandType bandType)
    : TdxCustomScreenTipBand(bandType), FScreenTip(tip)
{
}

TPersistent* TdxScreenTipBand::GetOwner() const { return FScreenTip; }

namespace {
// The default font of the bands of tips outside a repository, made on first use; nullptr once the
// unit has begun shutting down.
TUnitObject<TFont> GScratchFont{UnitdxScreenTip};

TFont* ScratchDefaultFont(TdxScreenTipBandType type)
{
  TFont* font = GScratchFont.Get();
  if (font) GetDefaultScreenTipFont(font, type);
  return font;
}
}  // namespace

TFont* TdxScreenTipBand::GetFont()
{
  TdxScreenTipRepository* repository = FScreenTip ? FScreenTip->Repository() : nullptr;
  return repository ? repository->GetFontForBand(BandType()) : ScratchDefaultFont(BandType());
}

bool TdxScreenTipBand::IsFontColorDefault()
{
  TdxScreenTipRepository* repository = FScreenTip ? FScreenTip->Repository() : nullptr;
  return repository ? repository->IsFontColorDefault(BandType()) : true;
}

CL_DEFINE_CLASS(TdxScreenTipFooterBand);

TdxScreenTipFooterBand::TdxScreenTipFooterBand(TdxScreenTipRepository* repository)
    : TdxCustomScreenTipBand(stbFooter), FRepository(repository)
{
}

TPersistent* TdxScreenTipFooterBand::GetOwner() const { return FRepository; }
TFont* TdxScreenTipFooterBand::GetFont() { return FRepository->GetFontForBand(stbFooter); }
bool TdxScreenTipFooterBand::IsFontColorDefault() { return FRepository->IsFontColorDefault(stbFooter); }

// --- Screen tip ---

namespace {
using TT = TdxScreenTip;
const TPropInfo TipProps[] = {
  PersistentProp<&TT::Header>("Header"),
  PersistentProp<&TT::Description>("Description"),
  PersistentProp<&TT::Footer>("Footer"),
  BoolProp<&TT::UseHintAsHeader, &TT::SetUseHintAsHeader>("UseHintAsHeader", false),
  BoolProp<&TT::UseStandardFooter, &TT::SetUseStandardFooter>("UseStandardFooter", false),
  IntProp<&TT::Width, &TT::SetWidth>("Width", 0),
};
}  // namespace

CL_DEFINE_CLASS(TdxScreenTip, .Props = TipProps);

TdxScreenTip::TdxScreenTip(TComponent* owner)
    : TcxComponentCollectionItem(owner),
      FHeader(MakeOwned<TdxScreenTipBand>(this, stbHeader)),
      FDescription(MakeOwned<TdxScreenTipBand>(this, stbDescription)),
      FFooter(MakeOwned<TdxScreenTipBand>(this, stbFooter))
{
}

TdxScreenTip::~TdxScreenTip() = default;

TdxScreenTipBand* TdxScreenTip::Band(TdxScreenTipBandType type) const
{
  switch (type) {
    case stbHeader: return FHeader.get();
    case stbDescription: return FDescription.get();
    default: return FFooter.get();
  }
}

TdxCustomScreenTipBand* TdxScreenTip::GetEffectiveBand(TdxScreenTipBandType type) const
{
  if (type == stbFooter && FUseStandardFooter)
    if (TdxScreenTipRepository* repository = Repository()) return repository->StandardFooter();
  return Band(type);
}

void TdxScreenTip::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxScreenTip*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FHeader->Assign(other->FHeader.get());
  FDescription->Assign(other->FDescription.get());
  FFooter->Assign(other->FFooter.get());
  FUseHintAsHeader = other->FUseHintAsHeader;
  FUseStandardFooter = other->FUseStandardFooter;
  FWidth = other->FWidth;
}

TdxScreenTipCollection* TdxScreenTip::GetTipCollection() const
{
  return static_cast<TdxScreenTipCollection*>(Collection());
}

TdxScreenTipRepository* TdxScreenTip::Repository() const
{
  TdxScreenTipCollection* collection = GetTipCollection();
  return collection ? dynamic_cast<TdxScreenTipRepository*>(collection->ParentComponent()) : nullptr;
}

int TdxScreenTip::GetDisplayWidth() const
{
  if (FWidth != 0) return FWidth;
  return ScaleByScreenDPI(FDescription->HasGlyph() ? 210 : 318);
}

TcxComponentCollection* TdxScreenTip::GetCollectionFromParent(TComponent* parent)
{
  auto* repository = dynamic_cast<TdxScreenTipRepository*>(parent);
  return repository ? repository->Items() : nullptr;
}

std::string TdxScreenTip::ReadDisplayName() const
{
  return Name() + " - '" + FHeader->Text() + "'";
}

void TdxScreenTip::SetName(const std::string& value)
{
  const bool follow = !IsLoading() && FHeader->Text() == Name() &&
                      !(Owner() && Owner()->Is<TControl>() && Owner()->IsLoading());
  inherited::SetName(value);
  if (follow) FHeader->SetText(value);
}

CL_DEFINE_CLASS(TdxScreenTipCollection);

void TdxScreenTipCollection::AssignItemName(TcxComponentCollectionItem* item)
{
  TcxComponentCollection::AssignItemName(item);
}

// --- Repository ---

namespace {
using TR = TdxScreenTipRepository;
const TPropInfo RepositoryProps[] = {
  OrdProp<&TR::AssignedFonts, &TR::SetAssignedFonts>("AssignedFonts", TPropKind::Set, &BandTypeInfo),
  Stored<&TR::IsDescriptionFontStored>(PersistentProp<&TR::DescriptionFont>("DescriptionFont")),
  Stored<&TR::IsFooterFontStored>(PersistentProp<&TR::FooterFont>("FooterFont")),
  Stored<&TR::IsHeaderFontStored>(PersistentProp<&TR::HeaderFont>("HeaderFont")),
  PersistentProp<&TR::StandardFooter>("StandardFooter"),
  BoolProp<&TR::ShowDescription, &TR::SetShowDescription>("ShowDescription", true),
};
}  // namespace

CL_DEFINE_CLASS(TdxScreenTipRepository, .Props = RepositoryProps);

TdxScreenTipRepository::TdxScreenTipRepository(TComponent* owner)
    : TComponent(owner), FStandardFooter(MakeOwned<TdxScreenTipFooterBand>(this)), FScratchFont(MakeOwned<TFont>())
{
  for (int i = 0; i < 3; ++i) {
    FFonts[i] = MakeOwned<TFont>();
    GetDefaultScreenTipFont(FFonts[i].get(), static_cast<TdxScreenTipBandType>(i));
    FFonts[i]->SetOnChange(TNotifyEvent(this, &TdxScreenTipRepository::FontChanged));
  }
  FItems = CreateItems();
}

TdxScreenTipRepository::~TdxScreenTipRepository() = default;

void TdxScreenTipRepository::BeforeDestruction()
{
  if (FItems) FItems->FreeAllItems();
  inherited::BeforeDestruction();
}

TOwned<TdxScreenTipCollection> TdxScreenTipRepository::CreateItems()
{
  return MakeOwned<TdxScreenTipCollection>(this);
}

void TdxScreenTipRepository::FontChanged(TObject* sender)
{
  if (IsLoading()) return;
  for (int i = 0; i < 3; ++i)
    if (FFonts[i].get() == sender) FAssignedFonts.Include(static_cast<TdxScreenTipBandType>(i));
}

TFont* TdxScreenTipRepository::GetFontForBand(TdxScreenTipBandType type)
{
  if (FAssignedFonts.Contains(type)) return GetFont(type);
  GetDefaultScreenTipFont(FScratchFont.get(), type);
  return FScratchFont.get();
}

bool TdxScreenTipRepository::IsFontColorDefault(TdxScreenTipBandType type)
{
  return GetFontForBand(type)->Color() == dxScreenTipDefaultFontColor;
}

void TdxScreenTipRepository::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxScreenTipRepository*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FItems->Assign(other->FItems.get());
  FStandardFooter->Assign(other->FStandardFooter.get());
  SetDescriptionFont(other->DescriptionFont());
  SetFooterFont(other->FooterFont());
  SetHeaderFont(other->HeaderFont());
  FAssignedFonts = other->FAssignedFonts;
  FShowDescription = other->FShowDescription;
}

void TdxScreenTipRepository::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->Owner() == root) proc(FItems->Items(i));
}

// --- Links ---

namespace {
using TL = TdxScreenTipLink;
using TAL = TdxScreenTipActionLink;
using TCL = TdxCustomScreenTipLink;
const TPropInfo LinkProps[] = {
  ComponentProp<&TL::Control, &TL::SetControl>("Control"),
  ComponentProp<&TCL::ScreenTip, &TCL::SetScreenTip>("ScreenTip"),
};
const TPropInfo ActionLinkProps[] = {
  ComponentProp<&TAL::Action, &TAL::SetAction>("Action"),
  ComponentProp<&TCL::ScreenTip, &TCL::SetScreenTip>("ScreenTip"),
};
}  // namespace

CL_DEFINE_CLASS(TdxCustomScreenTipLink);
CL_DEFINE_CLASS(TdxScreenTipLink, .Props = LinkProps);
CL_DEFINE_CLASS(TdxScreenTipActionLink, .Props = ActionLinkProps);

TdxScreenTipStyle* TdxCustomScreenTipLink::Style() const
{
  auto* links = dynamic_cast<TdxCustomScreenTipLinks*>(Collection());
  return links ? links->Style() : nullptr;
}

TComponent* TdxCustomScreenTipLink::NotificationTarget() const
{
  TdxScreenTipStyle* style = Style();
  return style ? style->OwnerComponent() : nullptr;
}

void TdxCustomScreenTipLink::Watch(TComponent* oldValue, TComponent* newValue)
{
  TComponent* target = NotificationTarget();
  if (!target) return;
  if (oldValue) oldValue->RemoveFreeNotification(target);
  if (newValue) newValue->FreeNotification(target);
}

void TdxCustomScreenTipLink::SetComponent(TComponent* value)
{
  if (FComponent == value) return;
  Watch(FComponent, value);
  FComponent = value;
}

void TdxCustomScreenTipLink::SetScreenTip(TdxScreenTip* value)
{
  if (FScreenTip == value) return;
  Watch(FScreenTip, value);
  FScreenTip = value;
}

void TdxCustomScreenTipLink::BeforeDestruction()
{
  Watch(FComponent, nullptr);
  Watch(FScreenTip, nullptr);
  inherited::BeforeDestruction();
}

void TdxCustomScreenTipLink::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxCustomScreenTipLink*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  SetComponent(other->FComponent);
  SetScreenTip(other->FScreenTip);
}

CL_DEFINE_CLASS(TdxCustomScreenTipLinks);
CL_DEFINE_CLASS(TdxScreenTipLinks);
CL_DEFINE_CLASS(TdxScreenTipActionLinks);

TPersistent* TdxCustomScreenTipLinks::GetOwner() const { return FStyle; }

TdxCustomScreenTipLink* TdxCustomScreenTipLinks::FindLink(TComponent* component) const
{
  for (int i = 0; i < Count(); ++i) {
    TdxCustomScreenTipLink* link = Links(i);
    if (link->LinkedComponent() == component || link->ScreenTip() == component) return link;
  }
  return nullptr;
}

TdxCustomScreenTipLink* TdxCustomScreenTipLinks::FindByComponent(TComponent* component) const
{
  if (!component) return nullptr;
  for (int i = 0; i < Count(); ++i)
    if (Links(i)->LinkedComponent() == component) return Links(i);
  return nullptr;
}

// --- Style ---

namespace {
using TSS = TdxScreenTipStyle;
const TPropInfo StyleProps[] = {
  CollectionProp<&TSS::ScreenTipActionLinks>("ScreenTipActionLinks"),
  CollectionProp<&TSS::ScreenTipLinks>("ScreenTipLinks"),
};

TdxScreenTip* TipOfLink(TdxCustomScreenTipLink* link) { return link ? link->ScreenTip() : nullptr; }
}  // namespace

CL_DEFINE_CLASS(TdxScreenTipStyle, .Props = StyleProps);

TdxScreenTipStyle::TdxScreenTipStyle()
    : FScreenTipLinks(MakeOwned<TdxScreenTipLinks>(this)),
      FScreenTipActionLinks(MakeOwned<TdxScreenTipActionLinks>(this))
{
}

void TdxScreenTipStyle::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxScreenTipStyle*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FScreenTipLinks->Assign(other->FScreenTipLinks.get());
  FScreenTipActionLinks->Assign(other->FScreenTipActionLinks.get());
}

TClass TdxScreenTipStyle::GetStyleWindowClass() const { return TdxScreenTipWindow::StaticClass(); }

void TdxScreenTipStyle::ComponentGone(TComponent* component)
{
  const bool isTip = component->Is<TdxScreenTip>();
  const bool isControl = component->Is<TControl>();
  const bool isAction = component->Is<TBasicAction>();
  if (!isTip && !isControl && !isAction) return;
  // A component may be linked more than once: every link lets go of it.
  for (TdxCustomScreenTipLinks* links :
       {static_cast<TdxCustomScreenTipLinks*>(FScreenTipLinks.get()),
        static_cast<TdxCustomScreenTipLinks*>(FScreenTipActionLinks.get())}) {
    if (links == FScreenTipLinks.get() && isAction) continue;
    if (links == FScreenTipActionLinks.get() && isControl) continue;
    while (TdxCustomScreenTipLink* link = links->FindLink(component)) {
      if (isTip)
        link->SetScreenTip(nullptr);
      else
        link->SetComponent(nullptr);
    }
  }
}

void TdxScreenTipStyle::FindScreenTip(TControl* control, TdxScreenTip*& tip, std::string& extra)
{
  extra.clear();
  tip = nullptr;
  if (!control) return;
  tip = TipOfLink(FScreenTipLinks->FindByComponent(control));
  TBasicAction* action = control->Action();
  if (!tip && action) tip = TipOfLink(FScreenTipActionLinks->FindByComponent(action));
  if (tip) {
    if (auto* custom = dynamic_cast<TCustomAction*>(action)) {
      const std::string shortcut = ShortCutToText(custom->ShortCut());
      if (!shortcut.empty()) extra = " (" + shortcut + ")";
    }
    return;
  }
  IdxScreenTipSource* source = Supports<IdxScreenTipSource>(control);
  if (!source)
    if (auto* owner = Supports<IdxOwnerInterfaceSource>(control))
      source = Supports<IdxScreenTipSource>(owner->GetOwnerInterfaceSource());
  if (!source) return;
  tip = source->GetScreenTip();
  if (!tip)
    if (TBasicAction* sourceAction = source->GetAction())
      tip = TipOfLink(FScreenTipActionLinks->FindByComponent(sourceAction));
  extra = source->GetHint();
}

void TdxScreenTipStyle::PrepareHint(std::string& hintStr, bool&, THintInfo& hintInfo)
{
  if (!hintStr.empty()) return;
  TdxScreenTip* tip = nullptr;
  std::string extra;
  FindScreenTip(hintInfo.HintControl, tip, extra);
  if (tip && !tip->UseHintAsHeader()) hintStr = tip->Header()->Text().empty() ? " " : tip->Header()->Text();
}

// --- Painter adapter ---

CL_DEFINE_CLASS(TdxScreenTipPainter);

TColor TdxScreenTipPainter::GetDescriptionColor() { return FPainter ? FPainter->ScreenTipDescriptionTextColor() : clDefault; }
int TdxScreenTipPainter::GetFooterSeparatorSize() { return FPainter ? FPainter->ScreenTipSeparatorSize() : 0; }
TColor TdxScreenTipPainter::GetTitleColor() { return FPainter ? FPainter->ScreenTipTitleTextColor() : clDefault; }

void TdxScreenTipPainter::DrawBackground(TcxCanvas* canvas, const RECT& r)
{
  if (FPainter) FPainter->DrawScreenTipBackground(canvas, r);
}

void TdxScreenTipPainter::DrawFooterSeparator(TcxCanvas* canvas, const RECT& r)
{
  if (FPainter) FPainter->DrawScreenTipSeparator(canvas, r);
}

// --- Screen-tip layout ---

CL_DEFINE_CLASS(TdxScreenTipBandViewInfo);
CL_DEFINE_CLASS(TdxScreenTipViewInfoHelper);

TdxScreenTipViewInfoHelper::TdxScreenTipViewInfoHelper(TdxScreenTipPainter* painter, TdxScreenTip* tip,
                                                       const std::string& hint, const std::string& shortcut)
    : FPainter(painter), FTip(tip), FHintAsHeader(tip && tip->UseHintAsHeader() ? hint : ""), FShortcut(shortcut)
{
}

TOwned<TdxScreenTipBandViewInfo> TdxScreenTipViewInfoHelper::CreateBandViewInfo(TdxCustomScreenTipBand* band)
{
  return MakeOwned<TdxScreenTipBandViewInfo>(band, FHintAsHeader, FShortcut);
}

void TdxScreenTipViewInfoHelper::MeasureBand(TcxCanvas* canvas, TdxScreenTipBandViewInfo* info)
{
  TdxCustomScreenTipBand* band = info->Band;
  const bool description = band->BandType() == stbDescription;
  info->HorzIndent = ScaleByScreenDPI(description ? DescriptionHorzIndent : OtherHorzIndent);
  info->VertIndent = ScaleByScreenDPI(VertIndent);
  if (band->BandType() == stbFooter) info->VertIndent += FPainter->GetFooterSeparatorSize();
  info->GlyphArea = ScaleByScreenDPI(description ? DescriptionGlyphArea - DescriptionHorzIndent : OtherGlyphArea);

  info->Text = band->Text();
  if (band->BandType() == stbHeader && !info->HintAsHeaderText.empty()) info->Text = info->HintAsHeaderText;
  if (band->BandType() == stbHeader) info->Text += info->ShortcutText;

  info->GlyphSize = SIZE{};
  if (band->HasGlyph()) {
    const int w = band->Glyph()->Width(), h = band->Glyph()->Height();
    if (w < info->GlyphArea)
      info->GlyphSize = SIZE{w, h};
    else
      info->GlyphSize = SIZE{info->GlyphArea, static_cast<int>(std::lround(double(h) * info->GlyphArea / w))};
  }

  info->TextSize = SIZE{};
  if (!info->Text.empty()) {
    int width = FTipWidth - 2 * info->HorzIndent;
    if (band->HasGlyph()) width -= info->GlyphArea + info->HorzIndent;
    RECT r{0, 0, std::max(width, 0), 0};
    canvas->GetCurrentFont()->Assign(band->GetFont());
    const UINT flags = description ? DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX : DT_CALCRECT | DT_NOPREFIX;
    ::DrawTextA(canvas->GetDCHandle(), info->Text.c_str(), static_cast<int>(info->Text.size()), &r, flags);
    info->TextSize = SIZE{r.right - r.left, r.bottom - r.top};
  }
  const bool empty = info->Text.empty() && !band->HasGlyph();
  info->Height = empty ? 0 : std::max<int>(info->GlyphSize.cy, info->TextSize.cy) + 2 * info->VertIndent;
}

void TdxScreenTipViewInfoHelper::PlaceBand(TdxScreenTipBandViewInfo* info, int top)
{
  TdxCustomScreenTipBand* band = info->Band;
  const int hi = info->HorzIndent, vi = info->VertIndent, ga = info->GlyphArea;
  const bool hasGlyph = band->HasGlyph();
  info->Top = top;
  info->TipWidth = FTipWidth;
  info->TextRect.top = top + vi;
  info->TextRect.bottom = info->TextRect.top + info->TextSize.cy;
  if (band->TextAlign() == stbtaRight) {
    info->TextRect.left = hasGlyph ? hi + ga + hi : hi;
    info->TextRect.right = FTipWidth - hi;
  } else {
    info->TextRect.left = hi;
    info->TextRect.right = hi + info->TextSize.cx;
  }
  if (!hasGlyph) {
    info->GlyphRect = RECT{};
    return;
  }
  const int glyphTop = band->BandType() == stbDescription ? top + vi : top + (info->Height - info->GlyphSize.cy) / 2;
  const int areaLeft = band->TextAlign() == stbtaRight ? hi : FTipWidth - hi - ga;
  const int glyphLeft = areaLeft + (ga - info->GlyphSize.cx) / 2;
  info->GlyphRect = RECT{glyphLeft, glyphTop, glyphLeft + info->GlyphSize.cx, glyphTop + info->GlyphSize.cy};
}

void TdxScreenTipViewInfoHelper::Calculate(TcxCanvas* canvas)
{
  FTipWidth = FTip ? FTip->GetDisplayWidth() : 0;
  FBands.clear();
  int top = 0;
  if (FTip) {
    for (TdxScreenTipBandType type : {stbHeader, stbDescription, stbFooter}) {
      TdxCustomScreenTipBand* band = FTip->GetEffectiveBand(type);
      const bool visible = !band->Text().empty() || band->HasGlyph() ||
                           (type == stbHeader && !FHintAsHeader.empty());
      if (!visible) continue;
      TOwned<TdxScreenTipBandViewInfo> info = CreateBandViewInfo(band);
      MeasureBand(canvas, info.get());
      if (type == stbHeader) {
        int needed = 2 * info->HorzIndent;
        if (!info->Text.empty()) needed += info->TextSize.cx;
        if (band->HasGlyph()) needed += info->HorzIndent;
        FTipWidth = std::max(FTipWidth, needed);
      }
      FBands.push_back(std::move(info));
    }
    // Placing waits for the header's say on the width.
    for (auto& info : FBands) {
      PlaceBand(info.get(), top);
      top += info->Height;
    }
  }
  BoundsRect = RECT{0, 0, FTipWidth, top};
}

void TdxScreenTipViewInfoHelper::PaintBand(TcxCanvas* canvas, TdxScreenTipBandViewInfo* info)
{
  TdxCustomScreenTipBand* band = info->Band;
  if (band->BandType() == stbFooter) {
    const int size = FPainter->GetFooterSeparatorSize();
    FPainter->DrawFooterSeparator(canvas, RECT{5, info->Top, FTipWidth - 5, info->Top + size});
  }
  if (!info->Text.empty()) {
    TFont* font = canvas->GetCurrentFont();
    font->Assign(band->GetFont());
    if (band->IsFontColorDefault()) {
      const TColor color =
          band->BandType() == stbDescription ? FPainter->GetDescriptionColor() : FPainter->GetTitleColor();
      if (color != clDefault) font->SetColor(color);
    }
    HDC dc = canvas->GetDCHandle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT r = info->TextRect;
    ::DrawTextA(dc, info->Text.c_str(), static_cast<int>(info->Text.size()), &r,
                DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
  }
  if (band->HasGlyph()) {
    const RECT source{0, 0, band->Glyph()->Width(), band->Glyph()->Height()};
    DrawImageInMode(canvas->GetDCHandle(), info->GlyphRect, info->GlyphRect, band->Glyph(), nullptr, -1,
                    TcxImageDrawMode::idmNormal, true);
    (void)source;
  }
}

void TdxScreenTipViewInfoHelper::Paint(TcxCanvas* canvas)
{
  TcxPaintCanvas* paint = GetSharedPaintCanvas();
  paint->BeginPaintOnCanvas(canvas->Canvas());
  paint->PushClipRegion();
  paint->ApplyClipRegion(MakeOwned<TcxRegion>(
                             CreateRoundRectRgn(BoundsRect.left, BoundsRect.top, BoundsRect.right + 1,
                                                BoundsRect.bottom + 1, 2, 2)),
                         roIntersect);
  FPainter->DrawBackground(paint, BoundsRect);
  for (auto& info : FBands) PaintBand(paint, info.get());
  paint->PopClipRegion();
  paint->EndPaint();
}

CL_DEFINE_CLASS(TdxScreenTipViewInfo);

TdxScreenTipViewInfo::TdxScreenTipViewInfo(TdxScreenTip* tip, const std::string& shortcut, const std::string& hint,
                                           TcxCustomLookAndFeelPainter* painter)
    : FHint(hint), FTip(tip), FShortcut(shortcut), FPainter(MakeOwned<TdxScreenTipPainter>(painter))
{
}

TOwned<TdxCustomHintViewInfoHelper> TdxScreenTipViewInfo::CreateHelper()
{
  return MakeOwned<TdxScreenTipViewInfoHelper>(FPainter.get(), FTip, FHint, FShortcut);
}

// --- Plain hint in screen-tip manner ---

CL_DEFINE_CLASS(TdxScreenTipLikeHintViewInfoHelper);

TdxScreenTipLikeHintViewInfoHelper::TdxScreenTipLikeHintViewInfoHelper(TdxScreenTipPainter* painter,
                                                                       const std::string& text, POINT position,
                                                                       const std::string& suffix)
    : TdxHintViewInfoHelper(text, position, suffix), FPainter(painter)
{
}

void TdxScreenTipLikeHintViewInfoHelper::AddMargins(SIZE& size)
{
  size.cx += 6 + 5;
  size.cy += 6 + 5;
}

RECT TdxScreenTipLikeHintViewInfoHelper::GetTextRect()
{
  RECT r = BoundsRect;
  r.left += 5;
  r.top += 6;
  r.right -= 6;
  r.bottom -= 5;
  return r;
}

void TdxScreenTipLikeHintViewInfoHelper::SetHintTextColor(TcxCanvas* canvas)
{
  const TColor color = FPainter->GetTitleColor();
  if (color != clDefault)
    canvas->GetCurrentFont()->SetColor(color);
  else
    inherited::SetHintTextColor(canvas);
}

void TdxScreenTipLikeHintViewInfoHelper::DrawBackground(TcxCanvas* canvas)
{
  TcxPaintCanvas* paint = GetSharedPaintCanvas();
  paint->BeginPaintOnCanvas(canvas->Canvas());
  FPainter->DrawBackground(paint, BoundsRect);
  paint->EndPaint();
}

CL_DEFINE_CLASS(TdxScreenTipLikeHintViewInfo);

TdxScreenTipLikeHintViewInfo::TdxScreenTipLikeHintViewInfo(TcxCustomLookAndFeelPainter* painter,
                                                           const std::string& shortcut, const std::string& hint)
    : FHint(hint), FShortcut(shortcut), FCursorPos(ReadCursorPos()), FPainter(MakeOwned<TdxScreenTipPainter>(painter))
{
}

TOwned<TdxCustomHintViewInfoHelper> TdxScreenTipLikeHintViewInfo::CreateHelper()
{
  return MakeOwned<TdxScreenTipLikeHintViewInfoHelper>(FPainter.get(), FHint, FCursorPos, FShortcut);
}

// --- Window ---

CL_MESSAGE_MAP(TdxScreenTipWindow, {WM_SHOWWINDOW, &TdxScreenTipWindow::WMShowWindow});
CL_DEFINE_CLASS(TdxScreenTipWindow);

TdxScreenTipWindow::TdxScreenTipWindow(TComponent* owner) : TcxCustomHintWindow(owner)
{
  SetColor(clInfoBk);
  SetAnimationKind(cxhakNone);
  SetBordered(true);
}

TdxScreenTipWindow::~TdxScreenTipWindow() = default;

void TdxScreenTipWindow::FitBoundsToDesktop(RECT& r)
{
  r.right += 1;
  r.bottom += 1;
  OffsetRect(&r, -1, -1);
  inherited::FitBoundsToDesktop(r);
}

void TdxScreenTipWindow::ApplyWindowShape()
{
  if (!HandleAllocated()) return;
  HRGN region = CreateRoundRectRgn(0, 0, Width(), Height(), 2, 2);
  OffsetRgn(region, 1, 1);
  if (!SetWindowRgn(FHandle, region, TRUE)) DeleteObject(region);
}

void TdxScreenTipWindow::BuildViewInfo(TdxScreenTipStyle* style, const std::string& hint)
{
  std::string text = hint, extra;
  TdxScreenTip* tip = FTip;
  if (!tip)
    if (TControl* hinted = GetHintedControl()) style->FindScreenTip(hinted, tip, extra);
  TdxScreenTipRepository* repository = tip ? tip->Repository() : nullptr;
  if (tip && (!repository || repository->ShowDescription())) {
    if (tip->UseHintAsHeader()) extra.clear();
    FViewInfo = MakeOwned<TdxScreenTipViewInfo>(tip, extra, text, GetPainter());
    return;
  }
  if (tip && !tip->UseHintAsHeader() && !tip->Header()->Text().empty())
    text = tip->Header()->Text();
  else
    extra.clear();
  FViewInfo = MakeOwned<TdxScreenTipLikeHintViewInfo>(GetPainter(), extra, text);
}

RECT TdxScreenTipWindow::CalcHintRect(int maxWidth, const std::string& hint, void* data)
{
  FViewInfo.reset();
  auto* style = dynamic_cast<TdxScreenTipStyle*>(GetActiveScreenTipStyle());
  if (style) {
    SetStandardMode(false);
    BuildViewInfo(style, hint);
    FViewInfo->Calculate(cxCanvas());
    return FViewInfo->GetBoundsRect();
  }
  SetStandardMode(true);
  if (Screen) Canvas()->SetFont(Screen->HintFont());
  return hint.empty() ? RECT{} : inherited::CalcHintRect(maxWidth, hint, data);
}

void TdxScreenTipWindow::CalculateHint(int x, int y, int maxWidth, const std::string& hint, const std::string&)
{
  if (maxWidth == 0) maxWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
  RECT r = CalcHintRect(maxWidth, hint, nullptr);
  OffsetRect(&r, x, y);
  ActivateHint(r, hint);
}

void TdxScreenTipWindow::Paint()
{
  if (StandardMode() || !FViewInfo) {
    RemoveWindowShape();
    inherited::Paint();
    return;
  }
  FViewInfo->Paint(cxCanvas());
}

void TdxScreenTipWindow::WMShowWindow(TMessage& msg)
{
  Inherited<TdxScreenTipWindow>(msg);
  if (!msg.WParam) {
    FViewInfo.reset();
    ClearHintedControl();
  }
}
