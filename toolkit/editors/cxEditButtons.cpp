#include "toolkit/editors/cxEditButtons.h"

#include "toolkit/base/cxControlsMnemonics.h"

namespace {
constexpr std::string_view ButtonKindNames[] = {"bkEllipsis", "bkDown", "bkGlyph", "bkText"};

// Opens an update of the collection (when there is one) for the life of a scope.
class TCollectionUpdate {
public:
  explicit TCollectionUpdate(TCollection* Collection) : FCollection(Collection)
  {
    if (FCollection) FCollection->BeginUpdate();
  }
  ~TCollectionUpdate()
  {
    if (FCollection) FCollection->EndUpdate();
  }
  TCollectionUpdate(const TCollectionUpdate&) = delete;
  TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

private:
  TCollection* FCollection;
};
}  // namespace

const TEnumInfo cxEditButtonKindInfo = EnumInfo<bkText>("TcxEditButtonKind", ButtonKindNames);

namespace {
using TEB = TcxEditButton;
const TPropInfo EditButtonProps[] = {
  StrProp<&TEB::Caption, &TEB::SetCaption>("Caption"),
  EnumProp<&TEB::ContentAlignment, &TEB::SetContentAlignment>("ContentAlignment", AlignmentInfo,
                                                              static_cast<int>(taCenter)),
  BoolProp<&TEB::Default, &TEB::SetDefault>("Default", false),
  BoolProp<&TEB::Enabled, &TEB::SetEnabled>("Enabled", true),
  Stored<&TEB::HasGlyph>(PersistentProp<&TEB::Glyph>("Glyph")),
  StrProp<&TEB::Hint, &TEB::SetHint>("Hint"),
  EnumProp<&TEB::Kind, &TEB::SetKind>("Kind", cxEditButtonKindInfo, static_cast<int>(bkDown)),
  BoolProp<&TEB::LeftAlignment, &TEB::SetLeftAlignment>("LeftAlignment", false),
  BoolProp<&TEB::Stretchable, &TEB::SetStretchable>("Stretchable", true),
  IntProp<&TEB::Tag, &TEB::SetTag>("Tag", 0),
  BoolProp<&TEB::Visible, &TEB::SetVisible>("Visible", true),
  IntProp<&TEB::Width, &TEB::SetWidth>("Width", 0),
};
}  // namespace

// --- TcxEditButton ---

CL_DEFINE_CLASS(TcxEditButton, .Props = EditButtonProps);

TcxEditButton::TcxEditButton(TCollection* Collection) : TCollectionItem(Collection) {}

template <class T>
void TcxEditButton::SetValue(T& Field, const T& Value)
{
  SetAndNotify(Field, Value, [this] { Changed(false); });
}

void TcxEditButton::SetCaption(const std::string& Value)
{
  if (FCaption == Value) return;
  FCaption = Value;
  FShownCaption = RemoveMnemonics(Value, true);
  Changed(false);
}

void TcxEditButton::SetContentAlignment(TAlignment Value) { SetValue(FContentAlignment, Value); }

void TcxEditButton::SetDefault(bool Value)
{
  if (FDefault == Value) return;
  if (Value)
    if (auto* buttons = dynamic_cast<TcxEditButtons*>(Collection())) {
      for (int i = 0; i < buttons->Count(); ++i) buttons->Items(i)->FDefault = false;
      FDefault = true;
      Changed(true);
      return;
    }
  FDefault = Value;
  Changed(false);
}

void TcxEditButton::SetEnabled(bool Value) { SetValue(FEnabled, Value); }

TBitmap* TcxEditButton::Glyph() const
{
  if (!FGlyph) {
    FGlyph = MakeOwned<TBitmap>();
    FGlyph->SetOnChange(TNotifyEvent(const_cast<TcxEditButton*>(this), &TcxEditButton::GlyphChanged));
  }
  return FGlyph.get();
}

void TcxEditButton::SetGlyph(TBitmap* Value)
{
  if (Value)
    Glyph()->Assign(Value);
  else
    FGlyph.reset();
  Changed(false);
}

void TcxEditButton::GlyphChanged(TObject* Sender)
{
  (void)Sender;
  Changed(false);
}

void TcxEditButton::SetHint(const std::string& Value) { SetValue(FHint, Value); }

void TcxEditButton::SetKind(TcxEditButtonKind Value) { SetValue(FKind, Value); }

void TcxEditButton::SetLeftAlignment(bool Value) { SetValue(FLeftAlignment, Value); }

void TcxEditButton::SetStretchable(bool Value) { SetValue(FStretchable, Value); }

void TcxEditButton::SetTag(int Value) { SetValue(FTag, Value); }

void TcxEditButton::SetTextColor(TColor Value) { SetValue(FTextColor, Value); }

void TcxEditButton::SetVisible(bool Value) { SetValue(FVisible, Value); }

void TcxEditButton::SetWidth(int Value)
{
  // A negative width has no meaning for the layout; refusing it keeps later widths working.
  if (Value < 0) return;
  SetValue(FWidth, Value);
}

void TcxEditButton::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxEditButton*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  TCollectionUpdate update(Collection());
  SetCaption(source->Caption());
  SetContentAlignment(source->ContentAlignment());
  SetDefault(source->Default());
  SetEnabled(source->Enabled());
  SetGlyph(source->Glyph());
  SetKind(source->Kind());
  SetLeftAlignment(source->LeftAlignment());
  SetStretchable(source->Stretchable());
  SetTag(source->Tag());
  SetTextColor(source->TextColor());
  SetVisible(source->Visible());
  SetWidth(source->Width());
  SetHint(source->Hint());
}

// --- TcxEditButtons ---

CL_DEFINE_CLASS(TcxEditButtons);

TcxEditButtons::TcxEditButtons(TPersistent* Owner, TcxEditButtonClass ButtonClass)
    : TOwnedCollection(Owner, ButtonClass ? ButtonClass.Class() : TcxEditButton::StaticClass())
{
}

int TcxEditButtons::VisibleCount() const
{
  int count = 0;
  for (int i = 0; i < Count(); ++i) count += Items(i)->Visible();
  return count;
}

void TcxEditButtons::Update(TCollectionItem* Item)
{
  (void)Item;
  if (FOnChange) FOnChange(this);
}
