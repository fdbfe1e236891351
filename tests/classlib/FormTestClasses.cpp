#include "tests/classlib/FormTestClasses.h"

#include <cstring>
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"

int TTestWidget::LiveCount = 0;
std::vector<TTestCall> TTestWidget::Log;

namespace {
constexpr std::string_view ShapeNames[] = {"shRect", "shCircle", "shTriangle"};
constexpr TEnumInfo ShapeInfo{"TTestShape", ShapeNames};
constexpr std::string_view AnchorNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
constexpr TEnumInfo AnchorInfo{"TTestAnchors", AnchorNames};
constexpr std::string_view FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr TEnumInfo FontStyleInfo{"TTestFontStyles", FontStyleNames};

using F = TTestFont;
constexpr TPropInfo FontProps[] = {
  IntProp<&F::Height, &F::SetHeight>("Height"),
  StrProp<&F::Name, &F::SetName>("Name"),
  ColorProp<&F::Color, &F::SetColor>("Color", clWindowText),
  IntProp<&F::Charset, &F::SetCharset>("Charset", 1),
  SetProp<&F::Style, &F::SetStyle>("Style", FontStyleInfo, 0),
};

using I = TTestItem;
constexpr TPropInfo ItemProps[] = {
  StrProp<&I::Caption, &I::SetCaption>("Caption"),
  IntProp<&I::Width, &I::SetWidth>("Width", 50),
  ComponentProp<&I::Target, &I::SetTarget>("Target"),
};

using W = TTestWidget;
constexpr TPropInfo WidgetProps[] = {
  IntProp<&W::Left, &W::SetLeft>("Left", 0),
  IntProp<&W::Width, &W::SetWidth>("Width", 0),
  BoolProp<&W::Visible, &W::SetVisible>("Visible", true),
  EnumProp<&W::Shape, &W::SetShape>("Shape", ShapeInfo, 0),
  SetProp<&W::Anchors, &W::SetAnchors>("Anchors", AnchorInfo, 3),
  StrProp<&W::Caption, &W::SetCaption>("Caption"),
  FloatProp<&W::Ratio, &W::SetRatio>("Ratio"),
  ColorProp<&W::Color, &W::SetColor>("Color", clBtnFace),
  ShortCutProp<&W::ShortCut, &W::SetShortCut>("ShortCut"),
  ComponentProp<&W::Buddy, &W::SetBuddy>("Buddy"),
  EventProp<&W::OnClick, &W::SetOnClick>("OnClick"),
  PersistentProp<&W::Font>("Font"),
  StringsProp<&W::Lines>("Lines"),
  CollectionProp<&W::Items>("Items"),
  Stored<&W::IsHintStored>(StrProp<&W::Hint, &W::SetHint>("Hint")),
};

constexpr TMethodInfo FormMethods[] = {
  PublishedMethod<TNotifyEvent, &TTestForm::FormClick>("FormClick"),
  PublishedMethod<TNotifyEvent, &TTestForm::ButtonClick>("ButtonClick"),
  PublishedMethod<TEvent<void(int)>, &TTestForm::WrongHandler>("WrongHandler"),
};

struct TCharsetName {
  int64_t Value;
  const char* Name;
};
constexpr TCharsetName Charsets[] = {{0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}, {134, "GB2312_CHARSET"}};
bool CharsetToInt(std::string_view ident, int64_t& value)
{
  for (const TCharsetName& c : Charsets)
    if (SameIdent(ident, c.Name)) {
      value = c.Value;
      return true;
    }
  return false;
}
bool IntToCharset(int64_t value, std::string& ident)
{
  for (const TCharsetName& c : Charsets)
    if (c.Value == value) {
      ident = c.Name;
      return true;
    }
  return false;
}

std::string NameOf(const TComponent* c) { return c ? c->Name() : std::string("-"); }
}  // namespace

CL_DEFINE_CLASS(TTestFont, .Props = FontProps);
CL_DEFINE_CLASS(TTestItem, .Props = ItemProps);
CL_DEFINE_CLASS(TTestWidget, .Props = WidgetProps);
CL_DEFINE_CLASS(TTestForm, .Methods = FormMethods);
CL_DEFINE_CLASS(TTestNonVisual);
CL_DEFINE_CLASS(TTestContainer);
CL_DEFINE_CLASS(TTestDialog);

void TTestItem::DefineProperties(TFiler& filer)
{
  TCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "Note", [this](TReader& r) { FNote = r.ReadString(); }, [this](TWriter& w) { w.WriteString(FNote); },
      !FNote.empty());
}

TTestWidget::TTestWidget(TComponent* owner)
    : TComponent(owner),
      FFont(MakeOwned<TTestFont>()),
      FLines(MakeOwned<TStringList>()),
      FItems(New<TOwnedCollection>(this, TTestItem::StaticClass()))
{
  ++LiveCount;
  Log.push_back({"Create", "", NameOf(owner)});
}

TTestWidget::~TTestWidget() { --LiveCount; }

void TTestWidget::SetBuddy(TTestWidget* v)
{
  if (FBuddy) FBuddy->RemoveFreeNotification(this);
  FBuddy = v;
  if (v) v->FreeNotification(this);
}

void TTestWidget::DefineProperties(TFiler& filer)
{
  TComponent::DefineProperties(filer);
  filer.DefineProperty(
      "Secret", [this](TReader& r) { FSecret = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(FSecret); },
      FSecret != 0);
  filer.DefineBinaryProperty(
      "Blob",
      [this](TStream& s) {
        FBlob.resize(static_cast<size_t>(s.Size()));
        if (!FBlob.empty()) s.ReadBuffer(FBlob.data(), static_cast<int64_t>(FBlob.size()));
      },
      [this](TStream& s) {
        if (!FBlob.empty()) s.WriteBuffer(FBlob.data(), static_cast<int64_t>(FBlob.size()));
      },
      !FBlob.empty());
  // Read only, as an older form of the items: a collection read by the procedure itself.
  filer.DefineProperty(
      "OldItems",
      [this](TReader& r) {
        r.CheckValue(TValueType::vaCollection);
        r.ReadCollection(FItems.get());
      },
      nullptr, false);
}

void TTestWidget::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FBuddy) FBuddy = nullptr;
  if (component == FParentWidget) FParentWidget = nullptr;
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Item<TTestItem>(i)->Target() == component) FItems->Item<TTestItem>(i)->SetTarget(nullptr);
}

void TTestWidget::SetParentComponent(TComponent* parent)
{
  // Width and Caption tell whether any property was read before the parent was set.
  Log.push_back({"SetParent", Name(), NameOf(parent) + " width=" + std::to_string(FWidth) + " caption=" + FCaption});
  FParentWidget = dynamic_cast<TTestWidget*>(parent);
}

void TTestWidget::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (int i = 0; i < root->ComponentCount(); ++i) {
    auto* w = dynamic_cast<TTestWidget*>(root->Components(i));
    if (w && w->FParentWidget == this) proc(w);
  }
}

void TTestWidget::SetChildOrder(TComponent* child, int order)
{
  Log.push_back({"SetChildOrder", Name(), child->Name() + " " + std::to_string(order)});
}

void TTestWidget::ReadState(TReader& reader)
{
  Log.push_back({"ReadState", Name(), NameOf(reader.Parent()) + " owner=" + NameOf(Owner())});
  TComponent::ReadState(reader);
}

void TTestWidget::Loaded()
{
  TComponent* root = this;
  while (root->Owner()) root = root->Owner();
  std::string loading = root->IsLoading() ? root->Name() : "";
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (root->Components(i)->IsLoading()) loading += (loading.empty() ? "" : ",") + root->Components(i)->Name();
  Log.push_back({"Loaded", Name(), loading});
  TComponent::Loaded();
}

void TTestForm::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  (void)root;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (!c->HasParent() || c->GetParentComponent() == this) proc(c);
  }
}

std::string TTestForm::Sender(TObject* sender)
{
  auto* c = dynamic_cast<TComponent*>(sender);
  return c ? c->Name() : "?";
}

void RegisterFormTestClasses()
{
  RegisterClass(TTestWidget::StaticClass());
  RegisterClass(TTestForm::StaticClass());
  RegisterClass(TTestDialog::StaticClass());
  RegisterClass(TTestContainer::StaticClass());
  RegisterClass(TTestNonVisual::StaticClass());
  RegisterIntegerConsts(TTestFont::StaticClass(), "Charset", CharsetToInt, IntToCharset);
}
