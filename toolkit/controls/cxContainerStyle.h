#pragma once
// Container styles (unit cxContainer): how a container control and every editor built on it look.
//
// A style holds ten style values (border colour and style, colour, edges, font, hot tracking,
// shadow, text colour, text style, transparent border), each with an "assigned" bit. A value that
// is not assigned comes from the style controller the style is linked to (and from that
// controller's own controller, and so on), and failing that from a computed standard value.
//
// A container draws from a set of four styles, one per state: normal, focused, disabled and hot.
// The normal style is the root of its set: it alone carries the font, the look-and-feel, the
// edges, hot tracking, shadow, transparent border and the link to the style controller, and the
// other three styles defer to it for those. A root style is linked to the process-wide default
// controller from birth, when there is one.
//
// The same class also serves as a plain value record for painting (direct-access mode): it then
// answers its stored fields, keeps a reference to a font owned elsewhere and never reports changes.
//
// The controller, the default controller slot and the set of four styles are in
// cxContainerStyleController.h.
#include <string>
#include <string_view>
#include "classlib/ClassRef.h"
#include "classlib/Controls.h"
#include "classlib/Events.h"
#include "classlib/Graphics.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeels.h"

// The unit of containers, their styles and style controllers.
extern TUnit UnitcxContainer;

class TcxStyleController;

// A style value names a bit 0..31 of an assigned-values set. The base style uses the first ten;
// the editor styles add theirs after them.
using TcxContainerStyleValue = int;
using TcxContainerStyleValues = TSet<TcxContainerStyleValue>;
constexpr TcxContainerStyleValue svBorderColor = 0;
constexpr TcxContainerStyleValue svBorderStyle = 1;
constexpr TcxContainerStyleValue svColor = 2;
constexpr TcxContainerStyleValue svEdges = 3;
constexpr TcxContainerStyleValue svFont = 4;
constexpr TcxContainerStyleValue svHotTrack = 5;
constexpr TcxContainerStyleValue svShadow = 6;
constexpr TcxContainerStyleValue svTextColor = 7;
constexpr TcxContainerStyleValue svTextStyle = 8;
constexpr TcxContainerStyleValue svTransparentBorder = 9;
constexpr int cxContainerStyleValueCount = 10;
// The values only the normal (root) style of a set carries.
constexpr TcxContainerStyleValues cxContainerStyleRootOnlyValues{svEdges, svFont, svHotTrack, svShadow,
                                                                 svTransparentBorder};

// The state a style of a set stands for, which is also its index in the set.
enum class TcxContainerStateItem { csNormal, csActive, csDisabled, csHotTrack };
constexpr int cxContainerStateCount = 4;

extern const TEnumInfo cxContainerBorderStyleInfo;
extern const TEnumInfo cxBorderInfo;
extern const TEnumInfo cxContainerStyleValueInfo;

// What a style asks of the container control that owns it; the container control implements it.
class IcxContainerStyleOwner {
public:
  // The container's colour follows its parent's by default (check boxes, group boxes, labels).
  virtual bool IsParentColorDefault() = 0;
  // The container works inside another control and never takes its parent's colour.
  virtual bool IsInplace() = 0;
  // Whether the style value of that name is written to a stored form; NonNormalState for the
  // focused, disabled and hot styles.
  virtual bool IsStyleValueStored(std::string_view Name, bool NonNormalState) = 0;

protected:
  ~IcxContainerStyleOwner() = default;
};

class TcxContainerStyle;
// A style class as a value: Create(Owner, DirectAccessMode, ParentStyle, State).
using TcxContainerStyleClass = TClassRef<TcxContainerStyle>;

class TcxContainerStyle : public TcxInterfacedPersistent, public IcxSkinSupportMarker {
  CL_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
public:
  struct TMeta : TMetaClassOf<TcxContainerStyle, TPersistent*, bool, TcxContainerStyle*, TcxContainerStateItem> {};
  // Owner: a container, a popup window, a style controller or anything else. A style of a state
  // other than normal defers to ParentStyle, the normal style of its set.
  TcxContainerStyle(TPersistent* Owner, bool DirectAccessMode, TcxContainerStyle* ParentStyle = nullptr,
                    TcxContainerStateItem State = TcxContainerStateItem::csNormal);
  ~TcxContainerStyle() override;
  // A root style links itself to the standard style controller.
  void AfterConstruction() override;
  // From then on no change is reported; a root style leaves its controller.
  void BeforeDestruction() override;
  // From another container style (anything else raises EConvertError): controller and
  // look-and-feel (root only), the stored fields, the font and text values, the assigned values;
  // one change report.
  void Assign(TPersistent* Source) override;
  // "IsFontAssigned", written (as True) when the font is stored; reading it marks Font assigned.
  void DefineProperties(TFiler& Filer) override;

  // The effective values.
  TColor BorderColor() const;
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle() const;
  void SetBorderStyle(TcxContainerBorderStyle Value);
  TColor Color() const { return GetColor(); }
  void SetColor(TColor Value);
  TcxBorders Edges() const;
  void SetEdges(TcxBorders Value);
  // The root's font (in direct-access mode the font referred to).
  TFont* Font() const;
  void SetFont(TFont* Value);
  bool HotTrack() const;
  void SetHotTrack(bool Value);
  bool Shadow() const;
  void SetShadow(bool Value);
  TColor TextColor() const { return GetTextColor(); }
  void SetTextColor(TColor Value);
  TFontStyles TextStyle() const { return GetTextStyle(); }
  void SetTextStyle(TFontStyles Value);
  bool TransparentBorder() const;
  void SetTransparentBorder(bool Value);
  // The root's look-and-feel; setting one copies it in.
  TcxLookAndFeel* LookAndFeel() const;
  void SetLookAndFeel(TcxLookAndFeel* Value);
  // The controller the set is linked to, or nullptr while it is the standard (default) one.
  TcxStyleController* StyleController() const;
  // Root only (others pass it to their root); nullptr means the standard controller. A controller
  // whose chain of controllers leads back to this style is refused: nothing changes.
  void SetStyleController(TcxStyleController* Value);
  // The values assigned in this style; in direct-access mode every value.
  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues Value);

  virtual TColor GetColor() const;
  // The colour the control shows: GetColor, except that the parent control's colour is taken only
  // when nothing in the chain assigns a colour and the container is not in place.
  virtual TColor GetVisibleColor() const;
  virtual TColor GetTextColor() const;
  virtual TFontStyles GetTextStyle() const;
  // The values only the normal style carries.
  virtual TcxContainerStyleValues GetUnpublishedStyleValues() const;
  virtual int GetValueCount() const { return cxContainerStyleValueCount; }
  // The name of a value ("BorderColor" ...); false and empty outside 0..GetValueCount()-1.
  virtual bool GetValueName(TcxContainerStyleValue Value, std::string& Name) const;
  // True for the root; the other styles answer their root's answer.
  virtual bool IsBorderShown() const;
  // Assigned in this style or in its chain of style controllers.
  virtual bool IsValueAssigned(TcxContainerStyleValue Value) const;
  // Nothing assigned any more; the root also resets its look-and-feel and font and gives its
  // container back the parent's colour where that is the container's default.
  virtual void RestoreDefaultValues();

  // The value of that name, compared ignoring case; false when there is none.
  bool FindStyleValue(std::string_view Name, TcxContainerStyleValue& Value) const;
  // False for "LookAndFeel" and "StyleController" and for the values only the normal style carries.
  bool IsPropertyPublished(std::string_view Name) const;
  // The font to draw text with: the root font in the effective text colour and text style.
  TFont* GetEffectiveFont() const;
  // The root font follows the chain's assigned font, or goes back to the default font unless the
  // container supplies its parent's font; nothing when Font is assigned or in direct-access mode.
  void UpdateFont();

  // Changes between them are reported once, when the outermost EndUpdate comes.
  void BeginUpdate();
  void EndUpdate();

  // The owner when it is a container control, else nullptr.
  TControl* OwningContainer() const;
  TcxContainerStyle* GetRootStyle() const;
  TcxStyleController* GetEffectiveStyleController() const;
  bool IsBaseStyle() const { return FParentStyle == nullptr; }
  TcxContainerStateItem State() const { return FState; }
  bool DirectAccessMode() const { return FDirectAccessMode; }
  bool IsDestroying() const { return FIsDestroying; }

  // Called with the style as Sender after each change.
  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& Value) { FOnChanged = Value; }

  // Stored predicates of the published properties.
  template <TcxContainerStyleValue V>
  bool IsValueStored() const { return IsStyleValueStored(V); }
  bool IsStyleControllerStored() const { return FState == TcxContainerStateItem::csNormal; }

protected:
  friend class TcxStyleController;

  // Reports a change now, or when the update ends.
  virtual void Changed();
  // The set's controller changed (or changed its styles): the font follows it.
  virtual void StyleControllerChanged(TcxStyleController* Controller);
  // The controller is being freed: a set linked to it goes back to the standard controller.
  virtual void StyleControllerFreed(TcxStyleController* Controller);
  virtual TColor StandardBorderColor() const;
  virtual TcxContainerBorderStyle StandardBorderStyle() const;
  virtual TColor StandardColor() const;
  virtual TcxBorders StandardEdges() const;
  virtual bool StandardHotTrack() const;
  virtual bool StandardShadow() const;
  virtual TColor StandardTextColor() const;
  virtual TFontStyles StandardTextStyle() const;
  virtual bool StandardTransparentBorder() const;
  // The change handler of the root's own font.
  virtual void HandleFontChange(TObject* Sender);
  // The controller a root style links to when given none: the default controller.
  virtual TcxStyleController* GetStandardStyleController() const;

  // The style of the chain (this style, then its controller's style of the same state, and so on)
  // that assigns the value; nullptr when none does. Values only the root carries start at the root.
  const TcxContainerStyle* FindAssigningStyle(TcxContainerStyleValue Value) const;
  bool IsStyleValueStored(TcxContainerStyleValue Value) const;
  IcxContainerStyleOwner* OwnerContainer() const;
  // Marks a value of a derived style assigned, without reporting a change.
  void IncludeAssignedValue(TcxContainerStyleValue Value) { FAssignedValues.Include(Value); }

private:
  void CheckChanges();
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  // Links the root to Value (or unlinks it), without the refusals of SetStyleController.
  void ChangeStyleController(TcxStyleController* Value);
  bool LeadsBackToThis(TcxStyleController* Controller) const;
  // Sets the root font without marking Font assigned.
  void SetFontUnassigned(TFont* Value);
  // The parent control's colour, when the root's container takes it (ParentColor with a parent).
  bool TakesParentColor(TColor& Color) const;
  // No container, or one whose colour follows its parent by default.
  bool HasParentColorDefault() const;
  // The value from the style of the chain that assigns it, else the standard value.
  template <class T>
  T EffectiveValue(TcxContainerStyleValue Value, T TcxContainerStyle::*Field,
                   T (TcxContainerStyle::*Standard)() const) const;
  // Stores and assigns the value; reports a change unless it was assigned and equal.
  template <class T>
  void SetStoredValue(TcxContainerStyleValue Value, T& Field, const T& NewValue);
  // The same in the root style, for the values only the root carries.
  template <class T>
  void SetRootValue(TcxContainerStyleValue Value, T TcxContainerStyle::*Field, const T& NewValue);

  TColor FBorderColor = clDefault;
  TcxContainerBorderStyle FBorderStyle = cbsNone;
  TcxBorders FEdges;
  bool FHotTrack = false;
  bool FShadow = false;
  bool FTransparentBorder = false;
  bool FDirectAccessMode;
  int FFontAssignedLock = 0;
  bool FIsDestroying = false;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FModified = false;
  TcxContainerStyle* FParentStyle = nullptr;
  TcxContainerStateItem FState;
  TFontStyles FTextStyle;
  int FUpdateCount = 0;
  TOwned<TFont> FVisibleFont;
  TNotifyEvent FOnChanged;
  TcxContainerStyleValues FAssignedValues;
  TcxStyleController* FStyleController = nullptr;
  TColor FColor = clDefault;
  // The font in use: the root's own font, or in direct-access mode one owned elsewhere.
  TFont* FFont = nullptr;
  TOwned<TFont> FOwnFont;
  TColor FTextColor = clDefault;
};
