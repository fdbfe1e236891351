#pragma once
// Style objects that any number of controls and items share (unit cxStyles).
//
// A TcxStyle carries a background bitmap, a colour, a font and a text colour, each either assigned
// or left to whoever uses the style; its users observe it (IcxStyleObserver) and hear of every
// change and of its end. Styles live in a TcxStyleRepository on a form, which stores them as its
// children. A TcxCustomStyles is a set of styles indexed by number that watches the styles it holds
// and passes their changes on; a TcxCustomStyleSheet bundles one such set so that other sets can
// follow it.
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ClassRef.h"
#include "classlib/Graphics.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"

// Registers the style classes for stored forms.
extern TUnit UnitcxStyles;

class TcxCustomStyle;
class TcxCustomStyles;
class TcxCustomStyleSheet;
class TcxStyleRepository;
using TcxCustomStyleClass = TClassRef<TcxCustomStyle>;
using TcxCustomStyleSheetClass = TClassRef<TcxCustomStyleSheet>;

// Implemented by the users of styles.
class IcxStyleObserver {
public:
  virtual void StyleModified(TcxCustomStyle* Style) = 0;
  // The style is going: the observer stops using it (it is out of the style's list already).
  virtual void StyleRemoving(TcxCustomStyle* Style) = 0;

protected:
  ~IcxStyleObserver() = default;
};

// A style that observers follow, kept in a repository.
class TcxCustomStyle : public TComponent {
  CL_CLASS(TcxCustomStyle, TComponent)
public:
  explicit TcxCustomStyle(TComponent* Owner);
  // Each observer, last first, is taken out of the list and told StyleRemoving; then the style
  // leaves its repository.
  void BeforeDestruction() override;
  // Its parent in stored forms is the repository.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  // Outside loading: the repository becomes Parent, which must be a TcxStyleRepository.
  void SetParentComponent(TComponent* Parent) override;
  // After reading, the repository is the reader's parent.
  void ReadState(TReader& Reader) override;

  // Every observer, last first, hears StyleModified.
  virtual void NotifyChanged();
  virtual void ApplyScale(int M, int D) { (void)M; (void)D; }
  // Adds the observer once.
  virtual void AddChangeListener(IcxStyleObserver* Observer);
  virtual void RemoveChangeListener(IcxStyleObserver* Observer);
  virtual void ResetValues() {}

  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  TcxStyleRepository* StyleRepository() const { return FStyleRepository; }
  // Leaves the old repository's list and joins the new one's.
  void SetStyleRepository(TcxStyleRepository* Value);

private:
  friend class TcxStyleRepository;
  std::vector<IcxStyleObserver*> FListeners;
  TcxStyleRepository* FStyleRepository = nullptr;
};

enum class TcxStyleValue { svBitmap, svColor, svFont, svTextColor };
using TcxStyleValues = TSet<TcxStyleValue>;
extern const TEnumInfo cxStyleValueInfo;

class TcxStyle : public TcxCustomStyle {
  CL_CLASS(TcxStyle, TcxCustomStyle)
public:
  explicit TcxStyle(TComponent* Owner);
  // From another style: bitmap, colour, font, text colour, then its assigned values.
  void Assign(TPersistent* Source) override;
  // Scales the font height by M / D; what is assigned stays as it was.
  void ApplyScale(int M, int D) override;
  // Nothing assigned, no bitmap, default colours; the font keeps its values. One notification.
  void ResetValues() override;

  // Changing the set notifies; removing a value does not reset the value behind it.
  TcxStyleValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxStyleValues Value);
  // Assigned while it is not empty.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  // clDefault unassigns the colour, any other colour assigns it.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Any change of the font assigns it.
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);

  bool IsBitmapStored() const { return FAssignedValues.Contains(TcxStyleValue::svBitmap); }
  bool IsColorStored() const { return FAssignedValues.Contains(TcxStyleValue::svColor); }
  bool IsFontStored() const { return FAssignedValues.Contains(TcxStyleValue::svFont); }
  bool IsTextColorStored() const { return FAssignedValues.Contains(TcxStyleValue::svTextColor); }

private:
  void BitmapChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  void SetColorValue(TColor& Field, TColor Value, TcxStyleValue AssignedValue);

  TcxStyleValues FAssignedValues;
  TOwned<TBitmap> FBitmap;
  TColor FColor = clDefault;
  TOwned<TFont> FFont;
  TColor FTextColor = clDefault;
  // While above 0 the bitmap and font changes neither assign nor notify (reset and scaling).
  int FInternalChangeLock = 0;
};

// A component of a repository's list: styles and style sheets.
class TcxStyleRepository : public TcxScalableComponent {
  CL_CLASS(TcxStyleRepository, TcxScalableComponent)
public:
  explicit TcxStyleRepository(TComponent* Owner);
  // Frees its styles, last first, then its style sheets, last first.
  void BeforeDestruction() override;
  // The styles owned by Root, then the style sheets owned by Root.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // A new style of the class owned by the repository (CreateItem) or by Owner, in this repository;
  // the same for style sheets.
  virtual TcxCustomStyle* CreateItem(TcxCustomStyleClass StyleClass);
  virtual TcxCustomStyle* CreateItemEx(TcxCustomStyleClass StyleClass, TComponent* Owner);
  virtual TcxCustomStyleSheet* CreateStyleSheet(TcxCustomStyleSheetClass SheetClass);
  virtual TcxCustomStyleSheet* CreateStyleSheetEx(TcxCustomStyleSheetClass SheetClass, TComponent* Owner);

  // Index errors raise EListError.
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxCustomStyle* Items(int Index) const;
  int StyleSheetCount() const { return static_cast<int>(FStyleSheets.size()); }
  TcxCustomStyleSheet* StyleSheets(int Index) const;

protected:
  // Every style scales by NewDPI / OldDPI.
  void RescaleBy(int NewDPI, int OldDPI) override;

private:
  friend struct TcxRepositoryMembership;
  std::vector<TcxCustomStyle*> FItems;
  std::vector<TcxCustomStyleSheet*> FStyleSheets;
};

// A styles-set class as a value: Create(Owner).
using TcxCustomStylesClass = TClassRef<TcxCustomStyles>;

// Styles by index. The set observes every style it holds and reports each change by the index
// that holds the style; it may follow a style sheet, whose values stand in for its own and whose
// changes it reports too.
class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleObserver {
  CL_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
public:
  struct TMeta : TMetaClassOf<TcxCustomStyles, TPersistent*> {};
  explicit TcxCustomStyles(TPersistent* Owner);
  // Reports nothing from then on; deletes every item and leaves the followed sheet.
  void BeforeDestruction() override;
  // From another set: follows the same sheet. Nothing else is copied.
  void Assign(TPersistent* Source) override;

  void StyleModified(TcxCustomStyle* Style) override;
  void StyleRemoving(TcxCustomStyle* Style) override;

  // The style of the index: the set's own, else the followed sheet's; nullptr when neither has one.
  TcxStyle* GetValue(int Index) const;
  // Holds the style at the index (nullptr deletes the item) and reports the index.
  void SetValue(int Index, TcxStyle* Value);
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  // Deletes the item at position I of the list (EListError outside it) and reports its index.
  void Delete(int I);
  void Clear();

  TcxCustomStyleSheet* StyleSheet() const { return FStyleSheet; }
  // A sheet of another set class, the set's own sheet, or one that follows it is refused: nothing
  // changes. The indexes of the old and the new sheet's values are reported.
  void SetStyleSheet(TcxCustomStyleSheet* Value) { AttachStyleSheet(Value); }
  TcxCustomStyleSheet* OwnerStyleSheet() const { return FOwnerStyleSheet; }
  bool IsDestroying() const { return FDestroying; }

protected:
  friend class TcxCustomStyleSheet;
  virtual void ValueChanged(int Index) { (void)Index; }
  // ValueChanged, then the owning sheet's DoStyleChanged; nothing while destroying.
  virtual void NotifyValueChanged(int Index);
  bool IsStyleSheetAllowed(TcxCustomStyleSheet* Sheet) const;
  void AttachStyleSheet(TcxCustomStyleSheet* Sheet);

private:
  struct TItem {
    int Index;
    TcxStyle* Style;
  };
  bool HoldsStyle(const TcxCustomStyle* Style) const;
  // The indexes of the sheet's values and of the sheets it follows, each once, into Indexes.
  static void CollectIndexes(const TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes);

  bool FDestroying = false;
  std::vector<TItem> FItems;
  TcxCustomStyleSheet* FStyleSheet = nullptr;
  TcxCustomStyleSheet* FOwnerStyleSheet = nullptr;
};

// A named set of styles that other sets follow.
class TcxCustomStyleSheet : public TcxComponent {
  CL_CLASS(TcxCustomStyleSheet, TcxComponent)
public:
  explicit TcxCustomStyleSheet(TComponent* Owner);
  // Makes its own set (of ResolveStylesClass); BuiltIn when made at design time.
  void AfterConstruction() override;
  // Every follower leaves (last first), the sheet leaves its repository, its set is freed.
  void BeforeDestruction() override;
  // From another sheet: Caption, then the own set's Assign.
  void Assign(TPersistent* Source) override;
  // "BuiltIn", always written.
  void DefineProperties(TFiler& Filer) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Parent) override;
  void ReadState(TReader& Reader) override;

  virtual TcxCustomStylesClass ResolveStylesClass() const;

  // The caption, or the name while it is empty; a value equal to the name (ignoring case) empties it.
  std::string Caption() const;
  void SetCaption(const std::string& Value);
  bool IsCaptionStored() const { return !FCaption.empty(); }
  bool BuiltIn() const { return FBuiltIn; }
  TcxCustomStyles* GetStyles() const { return FStyles.get(); }
  int FollowerCount() const { return static_cast<int>(FStylesList.size()); }
  TcxStyleRepository* StyleRepository() const { return FStyleRepository; }
  void SetStyleRepository(TcxStyleRepository* Value);

  // Every follower reports the index; then the design-time links are refreshed.
  void DoStyleChanged(int Index);

protected:
  // The owners of the sheet's styles other than the sheet's own owner.
  void CollectLinkedComponents(std::vector<TComponent*>& List) override;

private:
  friend class TcxCustomStyles;
  friend class TcxStyleRepository;
  std::string FCaption;
  bool FBuiltIn = false;
  TOwned<TcxCustomStyles> FStyles;
  std::vector<TcxCustomStyles*> FStylesList;
  TcxStyleRepository* FStyleRepository = nullptr;
};
