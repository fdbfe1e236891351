// The edit control's auto size and anchors: the anchored edge or centre kept as the content
// grows, the constraints, and the extras of the stored form (sizes and anchors, scaled once when
// the form was stored at another resolution).
#include <gtest/gtest.h>
#include <string>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"

using namespace edit_test;

namespace {

// Content 8 pixels wide per character of the value, one 16-pixel line.
class TTextWidthViewData : public TcxCustomEditViewData {
  CL_CLASS(TTextWidthViewData, TcxCustomEditViewData)
public:
  using TcxCustomEditViewData::TcxCustomEditViewData;
  void GetContentSize(TcxCanvas*, const Variant& Value, SIZE& Size, const TcxEditSizeProperties&) override
  {
    std::string text;
    try {
      text = VarToStrDef(Value, "");
    } catch (const Exception&) {
    }
    Size = SIZE{static_cast<LONG>(text.size() * 8), 16};
  }
};
CL_DEFINE_CLASS(TTextWidthViewData);

class TLayoutProperties : public TTestEditProperties {
  CL_CLASS(TLayoutProperties, TTestEditProperties)
public:
  struct TMeta : TTestEditProperties::TMeta {
    TClassRef<TcxCustomEdit> ContainerClassType() const override;
  };
  using TTestEditProperties::TTestEditProperties;
  TcxCustomEditViewDataClass ViewDataClassType() const override { return ClassRef<TTextWidthViewData>(); }
};
CL_DEFINE_CLASS(TLayoutProperties);

// An editor whose width follows its content, anchored horizontally (and vertically on request).
class TAnchoredEdit : public TTestEdit {
  CL_CLASS(TAnchoredEdit, TTestEdit)
public:
  struct TMeta : TTestEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TLayoutProperties>(); }
  };
  using TTestEdit::TTestEdit;
  void AfterConstruction() override
  {
    TTestEdit::AfterConstruction();
    Properties()->SetButtonsDisplayKind(2);
  }
  bool UsesHorzAnchor() override { return true; }
  bool UsesVertAnchor() override { return VertAnchored; }
  static inline bool VertAnchored = false;
  // The layout after a change of value, as the editors that show their value call it.
  void Show(const std::string& Text)
  {
    SetEditValue(Variant(Text));
    LockedAdjustLayout();
  }
  int Right() const { return Left() + Width(); }
};
CL_DEFINE_CLASS(TAnchoredEdit);
TClassRef<TcxCustomEdit> TLayoutProperties::TMeta::ContainerClassType() const { return ClassRef<TAnchoredEdit>(); }

class EditLayoutTest : public TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    RegisterClass(TAnchoredEdit::StaticClass());
  }
  void TearDown() override
  {
    UnRegisterClass(TAnchoredEdit::StaticClass());
    TAnchoredEdit::VertAnchored = false;
    TEditFormTest::TearDown();
  }
  // A stored form with one anchored editor, read into a new form.
  TForm* ReadForm(const std::string& Body, int PixelsPerInch = 0)
  {
    if (PixelsPerInch == 0) PixelsPerInch = Screen->PixelsPerInch();
    const std::string text = "object StoredForm: TForm\n  PixelsPerInch = " + std::to_string(PixelsPerInch) +
                             "\n  object Anchored: TAnchoredEdit\n" + Body + "  end\nend\n";
    TForm* form = New<TForm>(Application, CreateNew);
    Read.reset(form);
    ReadComponentFromText(text, form);
    return form;
  }
  // The lines inside the editor's object in a written form.
  static std::string EditorPart(const std::string& Text)
  {
    const size_t begin = Text.find("  object Anchored");
    const size_t end = Text.find("\n  end", begin);
    if (begin == std::string::npos || end == std::string::npos) return {};
    const std::string part = Text.substr(begin, end - begin + 1);
    return part.substr(part.find('\n') + 1);
  }
  TOwned<TForm> Read;
};

}  // namespace

TEST_F(EditLayoutTest, AnAnchoredAutoWidthEditorKeepsItsEdgeOrCentreAsItsContentGrows)
{
  for (const TAlignment horz : {taLeftJustify, taCenter}) {
    auto* edit = PlaceEdit<TAnchoredEdit>(false);
    edit->Properties()->GetAlignment()->SetHorz(horz);
    edit->SetBounds(100, 10, 150, 24);
    edit->Show("ab");
    const int narrow = edit->Width();
    const int right = edit->Right();
    const int centre = edit->Left() + (edit->Width() + 1) / 2;
    edit->Show("abcdefghij");
    EXPECT_EQ(edit->Width(), narrow + 64);
    if (horz == taCenter)
      EXPECT_EQ(edit->Left() + (edit->Width() + 1) / 2, centre);
    else
      EXPECT_EQ(edit->Right(), right);
    EXPECT_EQ(edit->AnchorX(), horz == taCenter ? centre : right);
    Free(edit);
  }
}

TEST_F(EditLayoutTest, AutoSizeKeepsToTheConstraintsAndStopsWhenSwitchedOff)
{
  auto* edit = PlaceEdit<TAnchoredEdit>(false);
  edit->Constraints()->SetMaxWidth(60);
  edit->Show("abcdefghijklmnop");
  EXPECT_EQ(edit->Width(), 60);
  edit->SetAutoSize(false);
  edit->SetBounds(10, 10, 150, 40);
  EXPECT_EQ(edit->Width(), 60);  // the constraint still holds
  EXPECT_EQ(edit->Height(), 40);
  edit->Constraints()->SetMaxWidth(0);
  edit->SetBounds(10, 10, 150, 40);
  EXPECT_EQ(edit->Width(), 150);
}

TEST_F(EditLayoutTest, AStoredAnchorHoldsForTheFirstLayout)
{
  TForm* form = ReadForm("    Left = 10\n    Top = 10\n    AnchorX = 300\n");
  auto* edit = dynamic_cast<TAnchoredEdit*>(form->FindComponent("Anchored"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->AnchorX(), 300);
  edit->HandleNeeded();
  edit->LockedAdjustLayout();
  EXPECT_EQ(edit->Right(), 300);
  EXPECT_EQ(edit->AnchorX(), 300);
}

TEST_F(EditLayoutTest, AFormStoredAtAnotherResolutionScalesTheLoadedAnchorsOnce)
{
  const int screen = Screen->PixelsPerInch();
  const int stored = screen * 5 / 4;
  TAnchoredEdit::VertAnchored = true;
  TForm* form = ReadForm("    AnchorX = 300\n    AnchorY = 200\n", stored);
  auto* edit = dynamic_cast<TAnchoredEdit*>(form->FindComponent("Anchored"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->AnchorX(), MulDiv(300, screen, stored));
  EXPECT_EQ(edit->AnchorY(), MulDiv(200, screen, stored));
  edit->HandleNeeded();
  edit->LockedAdjustLayout();
  EXPECT_EQ(edit->Right(), MulDiv(300, screen, stored));
  EXPECT_EQ(edit->Top() + edit->Height(), MulDiv(200, screen, stored));

  // Far outside the screen, a stored anchor is kept as a coordinate, and written back as read.
  TForm* distant = ReadForm("    AnchorX = 1000000\n");
  auto* distantEdit = dynamic_cast<TAnchoredEdit*>(distant->FindComponent("Anchored"));
  ASSERT_NE(distantEdit, nullptr);
  EXPECT_EQ(distantEdit->AnchorX(), 1000000);
  const std::string text = ComponentToText(distant);
  EXPECT_NE(text.find("AnchorX = 1000000"), std::string::npos) << text;
}

TEST_F(EditLayoutTest, TheStoredFormCarriesTheSizesAndAnchorsAsAutoSizeAllows)
{
  auto* edit = New<TAnchoredEdit>(Form);
  edit->SetName("Anchored");
  edit->SetParent(Form);
  edit->SetBounds(20, 30, 150, 24);
  edit->Show("abc");
  Form->SetName("Holder");

  // Auto size on with the width following the buttons: neither size is written.
  std::string text = EditorPart(ComponentToText(Form));
  EXPECT_EQ(text.find("Height = "), std::string::npos) << text;
  EXPECT_EQ(text.find("Width = "), std::string::npos) << text;
  EXPECT_NE(text.find("AnchorX = " + std::to_string(edit->Right())), std::string::npos) << text;
  EXPECT_EQ(text.find("AnchorY"), std::string::npos) << text;

  // Auto size off: both are written, and read back with the anchors.
  edit->SetAutoSize(false);
  TAnchoredEdit::VertAnchored = true;
  edit->SetBounds(20, 30, 170, 44);
  text = EditorPart(ComponentToText(Form));
  EXPECT_NE(text.find("Height = 44"), std::string::npos) << text;
  EXPECT_NE(text.find("Width = 170"), std::string::npos) << text;
  EXPECT_NE(text.find("AnchorY = 74"), std::string::npos) << text;
  TForm* form = ReadForm(text);
  auto* read = dynamic_cast<TAnchoredEdit*>(form->FindComponent("Anchored"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->AnchorX(), 190);
  EXPECT_EQ(read->AnchorY(), 74);
  EXPECT_EQ(read->Height(), 44);
  EXPECT_EQ(read->Width(), 170);
}
