#pragma once
// Edit buttons (unit cxEdit): the buttons an editor's properties describe, such as the drop-down
// arrow of a combo box, the ellipsis of a button edit, glyph and text buttons. The collection only
// describes them; the view data lays them out and the view info paints them.
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/ClassRef.h"
#include "classlib/Collection.h"
#include "classlib/Colors.h"
#include "classlib/Events.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"

enum class TcxEditButtonKind { bkEllipsis, bkDown, bkGlyph, bkText };
using enum TcxEditButtonKind;

extern const TEnumInfo cxEditButtonKindInfo;

class TcxEditButton : public TCollectionItem {
  CL_CLASS(TcxEditButton, TCollectionItem)
public:
  // Joins the collection (when there is one) with the defaults.
  explicit TcxEditButton(TCollection* Collection);
  // From another button (inside one update of the collection): every value through its setter. A
  // source without a glyph is given an empty one, which the copy then has too. Any other source:
  // the class library's Assign.
  void Assign(TPersistent* Source) override;

  // Each setter reports a change of this button alone, and only when the value differs.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // The caption without its mnemonic marks: "&&" shows "&", "&x" shows "x", a lone "&" at the very
  // end shows "_".
  const std::string& ShownCaption() const { return FShownCaption; }
  TAlignment ContentAlignment() const { return FContentAlignment; }
  void SetContentAlignment(TAlignment Value);
  // At most one button of a collection is the default: setting it clears it on the others and
  // reports a change of every button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // The picture of a glyph button, made empty when first read.
  TBitmap* Glyph() const;
  // Copies the bitmap into the button's own glyph; nullptr frees the button's glyph.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return static_cast<bool>(FGlyph); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  TcxEditButtonKind Kind() const { return FKind; }
  void SetKind(TcxEditButtonKind Value);
  bool LeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool Value);
  bool Stretchable() const { return FStretchable; }
  void SetStretchable(bool Value);
  int Tag() const { return FTag; }
  void SetTag(int Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Width in pixels; 0 asks for the default width. A negative width is refused (the width stays).
  int Width() const { return FWidth; }
  void SetWidth(int Value);

private:
  void GlyphChanged(TObject* Sender);
  template <class T>
  void SetValue(T& Field, const T& Value);

  std::string FCaption;
  std::string FShownCaption;
  TAlignment FContentAlignment = taCenter;
  bool FDefault = false;
  bool FEnabled = true;
  mutable TOwned<TBitmap> FGlyph;
  std::string FHint;
  TcxEditButtonKind FKind = bkDown;
  bool FLeftAlignment = false;
  bool FStretchable = true;
  int FTag = 0;
  TColor FTextColor = clBtnText;
  bool FVisible = true;
  int FWidth = 0;
};

using TcxEditButtonClass = TClassRef<TcxEditButton>;

class TcxEditButtons;
// A buttons-collection class as a value: Create(Owner, ButtonClass).
using TcxEditButtonsClass = TClassRef<TcxEditButtons>;

class TcxEditButtons : public TOwnedCollection {
  CL_CLASS(TcxEditButtons, TOwnedCollection)
public:
  struct TMeta : TMetaClassOf<TcxEditButtons, TPersistent*, TcxEditButtonClass> {
    // The class of the buttons a collection of this class holds.
    virtual TcxEditButtonClass GetButtonClass() const { return ClassRef<TcxEditButton>(); }
  };
  TcxEditButtons(TPersistent* Owner, TcxEditButtonClass ButtonClass);

  TcxEditButton* AddButton() { return Add<TcxEditButton>(); }
  TcxEditButton* Items(int Index) const { return Item<TcxEditButton>(Index); }
  // The buttons whose Visible is set.
  int VisibleCount() const;

  // Called with the collection after every change of a button or of the whole collection.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TNotifyEvent FOnChange;
};
