#pragma once
// Components for the component stream tests: a widget with a published property of every kind
// (nested font, string list, collection of items with a component reference, extra properties
// through DefineProperties), parent/child links, and a log of the calls that reading makes.
#include <string>
#include <vector>
#include "classlib/Collection.h"
#include "classlib/Colors.h"
#include "classlib/Component.h"
#include "classlib/Filer.h"
#include "classlib/Strings.h"

enum class TTestShape { shRect, shCircle, shTriangle };
enum class TTestAnchor { akLeft, akTop, akRight, akBottom };
using TTestAnchors = TSet<TTestAnchor>;
enum class TTestFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TTestFontStyles = TSet<TTestFontStyle>;

class TTestFont : public TPersistent {
  CL_CLASS(TTestFont, TPersistent)
public:
  int Height() const { return FHeight; }
  void SetHeight(int v) { FHeight = v; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  int Charset() const { return FCharset; }
  void SetCharset(int v) { FCharset = v; }
  TTestFontStyles Style() const { return FStyle; }
  void SetStyle(TTestFontStyles v) { FStyle = v; }

private:
  int FHeight = 0;
  std::string FName = "Tahoma";
  TColor FColor = clWindowText;
  int FCharset = 1;  // DEFAULT_CHARSET
  TTestFontStyles FStyle;
};

class TTestItem : public TCollectionItem {
  CL_CLASS(TTestItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  int Width() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }
  TComponent* Target() const { return FTarget; }
  void SetTarget(TComponent* v) { FTarget = v; }
  // An extra property of the item, stored when set.
  const std::string& Note() const { return FNote; }
  void SetNote(const std::string& v) { FNote = v; }
  void DefineProperties(TFiler& filer) override;

private:
  std::string FNote;
  std::string FCaption;
  int FWidth = 50;
  TComponent* FTarget = nullptr;
};

class TTestWidget;

// One call a component stream made on a widget, with the widget's state at that time.
struct TTestCall {
  std::string What;      // "Create", "SetParent", "ReadState", "Loaded", "SetChildOrder"
  std::string Name;      // the widget's name at the time
  std::string Detail;    // parent name, reader parent name, still-loading names
};

class TTestWidget : public TComponent {
  CL_CLASS(TTestWidget, TComponent)
public:
  explicit TTestWidget(TComponent* owner);
  ~TTestWidget() override;

  static int LiveCount;
  static std::vector<TTestCall> Log;

  int Left() const { return FLeft; }
  void SetLeft(int v) { FLeft = v; }
  int Width() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  TTestShape Shape() const { return FShape; }
  void SetShape(TTestShape v) { FShape = v; }
  TTestAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TTestAnchors v) { FAnchors = v; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  uint16_t ShortCut() const { return FShortCut; }
  void SetShortCut(uint16_t v) { FShortCut = v; }
  TTestWidget* Buddy() const { return FBuddy; }
  void SetBuddy(TTestWidget* v);
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent v) { FOnClick = v; }
  TTestFont* Font() const { return FFont.get(); }
  TStringList* Lines() const { return FLines.get(); }
  TOwnedCollection* Items() const { return FItems.get(); }
  // Stored only while the widget is not hidden: a stored predicate.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  bool IsHintStored() const { return FVisible; }

  // Extra properties: an integer and a binary block, both stored only when set.
  int Secret() const { return FSecret; }
  void SetSecret(int v) { FSecret = v; }
  const std::vector<uint8_t>& Blob() const { return FBlob; }
  void SetBlob(std::vector<uint8_t> v) { FBlob = std::move(v); }

  TTestWidget* ParentWidget() const { return FParentWidget; }
  void SetParentWidget(TTestWidget* parent) { FParentWidget = parent; }

  void DefineProperties(TFiler& filer) override;
  void Notification(TComponent* component, TOperation operation) override;
  bool HasParent() const override { return FParentWidget != nullptr; }
  TComponent* GetParentComponent() const override { return FParentWidget; }
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void ReadState(TReader& reader) override;
  void Loaded() override;

private:
  int FLeft = 0;
  int FWidth = 0;
  bool FVisible = true;
  TTestShape FShape = TTestShape::shRect;
  TTestAnchors FAnchors{TTestAnchor::akLeft, TTestAnchor::akTop};
  std::string FCaption;
  double FRatio = 0;
  TColor FColor = clBtnFace;
  uint16_t FShortCut = 0;
  TTestWidget* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  TOwned<TTestFont> FFont;
  TOwned<TStringList> FLines;
  TOwned<TOwnedCollection> FItems;
  std::string FHint;
  int FSecret = 0;
  std::vector<uint8_t> FBlob;
  TTestWidget* FParentWidget = nullptr;
};

// The root of test forms: publishes its handlers by name; its children are the components it owns
// that have no parent or have it as their parent.
class TTestForm : public TTestWidget {
  CL_CLASS(TTestForm, TTestWidget)
public:
  using TTestWidget::TTestWidget;
  void FormClick(TObject* sender) { Clicks.push_back("FormClick:" + Sender(sender)); }
  void ButtonClick(TObject* sender) { Clicks.push_back("ButtonClick:" + Sender(sender)); }
  // A handler of another signature: binding it to OnClick must fail.
  void WrongHandler(int) {}
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

  std::vector<std::string> Clicks;

private:
  static std::string Sender(TObject* sender);
};

// A component without a parent or published position: its place is kept in DesignInfo.
class TTestNonVisual : public TComponent {
  CL_CLASS(TTestNonVisual, TComponent)
public:
  using TComponent::TComponent;
};

// A widget that owns the children read into it (as frames and bar managers do).
class TTestContainer : public TTestWidget {
  CL_CLASS(TTestContainer, TTestWidget)
public:
  using TTestWidget::TTestWidget;
  TComponent* GetChildOwner() override { return this; }
};

// A form class whose stored form is embedded under its own class name.
class TTestDialog : public TTestForm {
  CL_CLASS(TTestDialog, TTestForm)
public:
  using TTestForm::TTestForm;
};

// Registers the test classes with the class registry (idempotent).
void RegisterFormTestClasses();
