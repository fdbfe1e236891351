#pragma once
// Screen tips: large hints with up to three bands (a bold header, a description that may carry a
// picture, and a footer under a separator line).
//
// Tips are defined in a TdxScreenTipRepository (its Items are stored with the form) and attached to
// controls or actions through the links of a TdxScreenTipStyle, the hint style registered as
// "ScreenTip". The style turns an empty hint into a visible one for controls that have a tip; the
// TdxScreenTipWindow lays the tip out in bands or, when the repository hides descriptions or no tip
// applies, draws a plain hint in screen-tip colours. Drawing goes through TdxScreenTipPainter, an
// adapter over the look-and-feel painter.
#include <string>
#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/Collection.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClassesCollections.h"
#include "toolkit/controls/cxHint.h"

class TcxCanvas;
class TcxCustomLookAndFeelPainter;
class TdxScreenTip;
class TdxScreenTipRepository;

extern TUnit UnitdxScreenTip;

enum class TdxScreenTipBandType { stbHeader, stbDescription, stbFooter };
using enum TdxScreenTipBandType;
enum class TdxScreenTipBandTextAlign { stbtaLeft, stbtaRight };
using enum TdxScreenTipBandTextAlign;
using TdxScreenTipRepositoryFonts = TSet<TdxScreenTipBandType>;

// The object under the mouse that knows its own screen tip (bar items, the bar manager).
class IdxScreenTipSource {
public:
  virtual TBasicAction* GetAction() = 0;
  virtual TdxScreenTip* GetScreenTip() = 0;
  virtual std::string GetHint() = 0;

protected:
  ~IdxScreenTipSource() = default;
};

// The font a band type has by default: the screen hint font in grey (76, 76, 76), bold for the
// header and the footer.
void GetDefaultScreenTipFont(TFont* font, TdxScreenTipBandType bandType);
constexpr TColor dxScreenTipDefaultFontColor = 0x4C4C4C;

// --- Bands ---

class TdxCustomScreenTipBand : public TPersistent {
  CL_CLASS(TdxCustomScreenTipBand, TPersistent)
public:
  explicit TdxCustomScreenTipBand(TdxScreenTipBandType bandType);
  void Assign(TPersistent* source) override;

  TdxScreenTipBandType BandType() const { return FBandType; }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  TdxScreenTipBandTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TdxScreenTipBandTextAlign value);
  bool HasGlyph() const { return !FGlyph->Empty(); }
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value) { FOnChange = value; }

  virtual void Changed();
  virtual TFont* GetFont() = 0;
  virtual bool IsFontColorDefault() = 0;

private:
  TdxScreenTipBandType FBandType;
  TOwned<TBitmap> FGlyph;
  std::string FText;
  TdxScreenTipBandTextAlign FTextAlign = stbtaRight;
  TNotifyEvent FOnChange;
};

class TdxScreenTipBand : public TdxCustomScreenTipBand {
  CL_CLASS(TdxScreenTipBand, TdxCustomScreenTipBand)
public:
  TdxScreenTipBand(TdxScreenTip* tip, TdxScreenTipBandType bandType);
  TPersistent* GetOwner() const override;
  TFont* GetFont() override;
  bool IsFontColorDefault() override;

private:
  TdxScreenTip* FScreenTip;
};

class TdxScreenTipFooterBand : public TdxCustomScreenTipBand {
  CL_CLASS(TdxScreenTipFooterBand, TdxCustomScreenTipBand)
public:
  explicit TdxScreenTipFooterBand(TdxScreenTipRepository* repository);
  TPersistent* GetOwner() const override;
  TFont* GetFont() override;
  bool IsFontColorDefault() override;

private:
  TdxScreenTipRepository* FRepository;
};

// --- Screen tip ---

class TdxScreenTipCollection;

class TdxScreenTip : public TcxComponentCollectionItem {
  CL_CLASS(TdxScreenTip, TcxComponentCollectionItem)
public:
  explicit TdxScreenTip(TComponent* owner);
  ~TdxScreenTip() override;
  void Assign(TPersistent* source) override;

  TdxScreenTipBand* Header() const { return FHeader.get(); }
  TdxScreenTipBand* Description() const { return FDescription.get(); }
  TdxScreenTipBand* Footer() const { return FFooter.get(); }
  TdxScreenTipBand* Band(TdxScreenTipBandType type) const;
  // The footer is the repository's standard footer with UseStandardFooter.
  TdxCustomScreenTipBand* GetEffectiveBand(TdxScreenTipBandType type) const;
  bool UseHintAsHeader() const { return FUseHintAsHeader; }
  void SetUseHintAsHeader(bool value) { FUseHintAsHeader = value; }
  bool UseStandardFooter() const { return FUseStandardFooter; }
  void SetUseStandardFooter(bool value) { FUseStandardFooter = value; }
  int Width() const { return FWidth; }
  void SetWidth(int value) { FWidth = value; }

  virtual TdxScreenTipCollection* GetTipCollection() const;
  // Width, else 210 with a description glyph and 318 without, at 96 DPI scaled to the screen.
  virtual int GetDisplayWidth() const;
  TdxScreenTipRepository* Repository() const;
  // The header text follows the name while they are equal.
  void SetName(const std::string& value) override;

protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override;
  std::string ReadDisplayName() const override;

private:
  TOwned<TdxScreenTipBand> FHeader, FDescription, FFooter;
  bool FUseHintAsHeader = false;
  bool FUseStandardFooter = false;
  int FWidth = 0;
};

class TdxScreenTipCollection : public TcxComponentCollection {
  CL_CLASS(TdxScreenTipCollection, TcxComponentCollection)
public:
  explicit TdxScreenTipCollection(TComponent* repository)
      : TcxComponentCollection(repository, TdxScreenTip::StaticClass())
  {
  }
  TdxScreenTip* Add() { return static_cast<TdxScreenTip*>(AppendNewItem()); }
  TdxScreenTip* Items(int index) const { return static_cast<TdxScreenTip*>(ItemAt(index)); }
  int Count() const { return ItemCount(); }

protected:
  void AssignItemName(TcxComponentCollectionItem* item) override;
};

// --- Repository ---

class TdxScreenTipRepository : public TComponent {
  CL_CLASS(TdxScreenTipRepository, TComponent)
public:
  explicit TdxScreenTipRepository(TComponent* owner);
  ~TdxScreenTipRepository() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* source) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

  TdxScreenTipRepositoryFonts AssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TdxScreenTipRepositoryFonts value) { FAssignedFonts = value; }
  TFont* GetFont(TdxScreenTipBandType type) const { return FFonts[static_cast<int>(type)].get(); }
  void SetFont(TdxScreenTipBandType type, TFont* value) { GetFont(type)->Assign(value); }
  TFont* HeaderFont() const { return GetFont(stbHeader); }
  void SetHeaderFont(TFont* value) { SetFont(stbHeader, value); }
  TFont* DescriptionFont() const { return GetFont(stbDescription); }
  void SetDescriptionFont(TFont* value) { SetFont(stbDescription, value); }
  TFont* FooterFont() const { return GetFont(stbFooter); }
  void SetFooterFont(TFont* value) { SetFont(stbFooter, value); }
  TdxScreenTipCollection* Items() const { return FItems.get(); }
  bool ShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool value) { FShowDescription = value; }
  TdxScreenTipFooterBand* StandardFooter() const { return FStandardFooter.get(); }

  // The stored font when assigned, else the default font of the band type.
  virtual TFont* GetFontForBand(TdxScreenTipBandType type);
  bool IsFontColorDefault(TdxScreenTipBandType type);
  bool IsFontStored(TdxScreenTipBandType type) const { return FAssignedFonts.Contains(type); }
  bool IsHeaderFontStored() const { return IsFontStored(stbHeader); }
  bool IsDescriptionFontStored() const { return IsFontStored(stbDescription); }
  bool IsFooterFontStored() const { return IsFontStored(stbFooter); }

protected:
  virtual TOwned<TdxScreenTipCollection> CreateItems();

private:
  void FontChanged(TObject* sender);

  TdxScreenTipRepositoryFonts FAssignedFonts;
  TOwned<TFont> FFonts[3];
  TOwned<TdxScreenTipCollection> FItems;
  bool FShowDescription = true;
  TOwned<TdxScreenTipFooterBand> FStandardFooter;
  TOwned<TFont> FScratchFont;
};

// --- Links and the style ---

class TdxScreenTipStyle;

class TdxCustomScreenTipLink : public TCollectionItem {
  CL_CLASS(TdxCustomScreenTipLink, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  void BeforeDestruction() override;
  void Assign(TPersistent* source) override;
  TComponent* LinkedComponent() const { return FComponent; }
  void SetComponent(TComponent* value);
  TdxScreenTip* ScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxScreenTip* value);
  TdxScreenTipStyle* Style() const;

private:
  // The style's owner (the controller) hears when either goes.
  TComponent* NotificationTarget() const;
  void Watch(TComponent* oldValue, TComponent* newValue);

  TComponent* FComponent = nullptr;
  TdxScreenTip* FScreenTip = nullptr;
};

class TdxScreenTipLink : public TdxCustomScreenTipLink {
  CL_CLASS(TdxScreenTipLink, TdxCustomScreenTipLink)
public:
  using TdxCustomScreenTipLink::TdxCustomScreenTipLink;
  TControl* Control() const { return dynamic_cast<TControl*>(LinkedComponent()); }
  void SetControl(TControl* value) { SetComponent(value); }
};

class TdxScreenTipActionLink : public TdxCustomScreenTipLink {
  CL_CLASS(TdxScreenTipActionLink, TdxCustomScreenTipLink)
public:
  using TdxCustomScreenTipLink::TdxCustomScreenTipLink;
  TBasicAction* Action() const { return dynamic_cast<TBasicAction*>(LinkedComponent()); }
  void SetAction(TBasicAction* value) { SetComponent(value); }
};

class TdxCustomScreenTipLinks : public TCollection {
  CL_CLASS(TdxCustomScreenTipLinks, TCollection)
public:
  TdxCustomScreenTipLinks(TdxScreenTipStyle* style, TClass linkClass) : TCollection(linkClass), FStyle(style) {}
  TPersistent* GetOwner() const override;
  TdxScreenTipStyle* Style() const { return FStyle; }
  TdxCustomScreenTipLink* Links(int index) const { return Item<TdxCustomScreenTipLink>(index); }
  // The link whose component, or whose screen tip, is the component.
  TdxCustomScreenTipLink* FindLink(TComponent* component) const;
  TdxCustomScreenTipLink* FindByComponent(TComponent* component) const;

private:
  TdxScreenTipStyle* FStyle;
};

class TdxScreenTipLinks : public TdxCustomScreenTipLinks {
  CL_CLASS(TdxScreenTipLinks, TdxCustomScreenTipLinks)
public:
  explicit TdxScreenTipLinks(TdxScreenTipStyle* style) : TdxCustomScreenTipLinks(style, TdxScreenTipLink::StaticClass()) {}
  TdxScreenTipLink* Add() { return TCollection::Add<TdxScreenTipLink>(); }
};

class TdxScreenTipActionLinks : public TdxCustomScreenTipLinks {
  CL_CLASS(TdxScreenTipActionLinks, TdxCustomScreenTipLinks)
public:
  explicit TdxScreenTipActionLinks(TdxScreenTipStyle* style)
      : TdxCustomScreenTipLinks(style, TdxScreenTipActionLink::StaticClass())
  {
  }
  TdxScreenTipActionLink* Add() { return TCollection::Add<TdxScreenTipActionLink>(); }
};

class TdxScreenTipStyle : public TcxCustomHintStyle {
  CL_CLASS(TdxScreenTipStyle, TcxCustomHintStyle)
public:
  TdxScreenTipStyle();
  void Assign(TPersistent* source) override;

  TdxScreenTipLinks* ScreenTipLinks() const { return FScreenTipLinks.get(); }
  TdxScreenTipActionLinks* ScreenTipActionLinks() const { return FScreenTipActionLinks.get(); }

  TClass GetStyleWindowClass() const override;
  void ComponentGone(TComponent* component) override;
  // Gives an empty hint the header text (or a blank) of the control's screen tip.
  void PrepareHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo) override;
  // The screen tip of the control and the text that follows its header: through the control's
  // link, its action's link (with the action's shortcut), or the control's IdxScreenTipSource.
  void FindScreenTip(TControl* control, TdxScreenTip*& tip, std::string& extra);

private:
  TOwned<TdxScreenTipLinks> FScreenTipLinks;
  TOwned<TdxScreenTipActionLinks> FScreenTipActionLinks;
};

// --- Painter adapter ---

class TdxScreenTipPainter : public TObject {
  CL_CLASS(TdxScreenTipPainter, TObject)
public:
  explicit TdxScreenTipPainter(TcxCustomLookAndFeelPainter* painter) : FPainter(painter) {}
  TcxCustomLookAndFeelPainter* Painter() const { return FPainter; }
  virtual TColor GetDescriptionColor();
  virtual int GetFooterSeparatorSize();
  virtual TColor GetTitleColor();
  virtual void DrawBackground(TcxCanvas* canvas, const RECT& r);
  virtual void DrawFooterSeparator(TcxCanvas* canvas, const RECT& r);

private:
  TcxCustomLookAndFeelPainter* FPainter;
};

// --- View infos ---

class TdxScreenTipBandViewInfo : public TObject {
  CL_CLASS(TdxScreenTipBandViewInfo, TObject)
public:
  TdxScreenTipBandViewInfo(TdxCustomScreenTipBand* band, const std::string& hintAsHeader,
                           const std::string& shortcut)
      : Band(band), HintAsHeaderText(hintAsHeader), ShortcutText(shortcut)
  {
  }
  TdxCustomScreenTipBand* Band;
  std::string HintAsHeaderText, ShortcutText;
  RECT GlyphRect{};
  SIZE GlyphSize{};
  RECT TextRect{};
  SIZE TextSize{};
  int Top = 0;
  int Height = 0;
  int TipWidth = 0;
  std::string Text;
  int HorzIndent = 0, VertIndent = 0, GlyphArea = 0;
};

class TdxScreenTipViewInfoHelper : public TdxCustomHintViewInfoHelper {
  CL_CLASS(TdxScreenTipViewInfoHelper, TdxCustomHintViewInfoHelper)
public:
  TdxScreenTipViewInfoHelper(TdxScreenTipPainter* painter, TdxScreenTip* tip, const std::string& hint,
                             const std::string& shortcut);
  void Calculate(TcxCanvas* canvas) override;
  void Paint(TcxCanvas* canvas) override;
  int BandCount() const { return static_cast<int>(FBands.size()); }
  TdxScreenTipBandViewInfo* Bands(int index) const { return FBands[index].get(); }
  int TipWidth() const { return FTipWidth; }

protected:
  virtual TOwned<TdxScreenTipBandViewInfo> CreateBandViewInfo(TdxCustomScreenTipBand* band);

private:
  void MeasureBand(TcxCanvas* canvas, TdxScreenTipBandViewInfo* info);
  void PlaceBand(TdxScreenTipBandViewInfo* info, int top);
  void PaintBand(TcxCanvas* canvas, TdxScreenTipBandViewInfo* info);

  TdxScreenTipPainter* FPainter;
  TdxScreenTip* FTip;
  std::string FHintAsHeader;
  std::string FShortcut;
  std::vector<TOwned<TdxScreenTipBandViewInfo>> FBands;
  int FTipWidth = 0;
};

class TdxScreenTipViewInfo : public TdxCustomHintViewInfo {
  CL_CLASS(TdxScreenTipViewInfo, TdxCustomHintViewInfo)
public:
  TdxScreenTipViewInfo(TdxScreenTip* tip, const std::string& shortcut, const std::string& hint,
                       TcxCustomLookAndFeelPainter* painter);
  TdxScreenTipViewInfoHelper* ScreenTipHelper() const { return static_cast<TdxScreenTipViewInfoHelper*>(Helper()); }

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;

private:
  std::string FHint;
  TdxScreenTip* FTip;
  std::string FShortcut;
  TOwned<TdxScreenTipPainter> FPainter;
};

class TdxScreenTipLikeHintViewInfoHelper : public TdxHintViewInfoHelper {
  CL_CLASS(TdxScreenTipLikeHintViewInfoHelper, TdxHintViewInfoHelper)
public:
  TdxScreenTipLikeHintViewInfoHelper(TdxScreenTipPainter* painter, const std::string& text, POINT position,
                                     const std::string& suffix);

protected:
  void AddMargins(SIZE& size) override;
  RECT GetTextRect() override;
  void SetHintTextColor(TcxCanvas* canvas) override;
  void DrawBackground(TcxCanvas* canvas) override;

private:
  TdxScreenTipPainter* FPainter;
};

class TdxScreenTipLikeHintViewInfo : public TdxCustomHintViewInfo {
  CL_CLASS(TdxScreenTipLikeHintViewInfo, TdxCustomHintViewInfo)
public:
  TdxScreenTipLikeHintViewInfo(TcxCustomLookAndFeelPainter* painter, const std::string& shortcut,
                               const std::string& hint);

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;

private:
  std::string FHint, FShortcut;
  POINT FCursorPos{};
  TOwned<TdxScreenTipPainter> FPainter;
};

// --- Window ---

class TdxScreenTipWindow : public TcxCustomHintWindow {
  CL_CLASS(TdxScreenTipWindow, TcxCustomHintWindow)
public:
  explicit TdxScreenTipWindow(TComponent* owner);
  ~TdxScreenTipWindow() override;

  bool HasWindowShadow() override { return true; }
  void FitBoundsToDesktop(RECT& r) override;
  void ApplyWindowShape() override;
  RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
  void CalculateHint(int x, int y, int maxWidth, const std::string& hint, const std::string& extra) override;

  // The tip shown whatever the hinted control has (set by the bars); none by default.
  TdxScreenTip* Tip() const { return FTip; }
  void SetTip(TdxScreenTip* value) { FTip = value; }
  TdxCustomHintViewInfo* ViewInfo() const { return FViewInfo.get(); }
  void BuildViewInfo(TdxScreenTipStyle* style, const std::string& hint);

protected:
  void Paint() override;

private:
  void WMShowWindow(TMessage& msg);

  int FFrameOffset = 1;
  TdxScreenTip* FTip = nullptr;
  TOwned<TdxCustomHintViewInfo> FViewInfo;
};
