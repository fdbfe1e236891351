// Reading and writing component trees: every property kind, the reading protocol (owners,
// parents, names, Loaded order), round trips through the binary form, malformed forms.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "classlib/Parser.h"
#include "classlib/ReaderWork.h"
#include "classlib/StoredForms.h"
#include "classlib/Streams.h"
#include "tests/classlib/FormTestClasses.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/FormTree.h"

namespace {

std::string BytesOf(TMemoryStream& stream)
{
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

class FilerTest : public testing::Test {
protected:
  void SetUp() override
  {
    RegisterFormTestClasses();
    TTestWidget::Log.clear();
    FLive = TTestWidget::LiveCount;
  }
  void TearDown() override { EXPECT_EQ(TTestWidget::LiveCount, FLive) << "test widgets leaked"; }

  static TOwned<TTestForm> ReadTestForm()
  {
    TOwned<TTestForm> form(New<TTestForm>(nullptr));
    EXPECT_TRUE(ReadComponentRes("TESTFORM", form.get()));
    return form;
  }

  static TTestWidget* Widget(TComponent* root, std::string_view name)
  {
    return As<TTestWidget>(root->FindComponent(name));
  }

  static std::vector<std::string> LogLines()
  {
    std::vector<std::string> lines;
    for (const TTestCall& c : TTestWidget::Log) lines.push_back(c.What + " " + c.Name + " " + c.Detail);
    return lines;
  }

  // The values tests/classlib/forms/TestForm.dfm sets.
  static void ExpectTestFormValues(TTestForm* f)
  {
    EXPECT_EQ(f->Name(), "TestForm");
    EXPECT_EQ(f->Width(), 640);
    EXPECT_EQ(f->Caption(), "测试窗体");
    EXPECT_EQ(f->Font()->Height(), -11);
    EXPECT_EQ(f->Font()->Name(), "Microsoft YaHei UI");
    EXPECT_EQ(f->Font()->Color(), clRed);
    EXPECT_EQ(f->Font()->Charset(), 134);
    EXPECT_EQ(f->Font()->Style(), (TTestFontStyles{TTestFontStyle::fsBold, TTestFontStyle::fsItalic}));
    ASSERT_EQ(f->ComponentCount(), 3);
    TTestWidget* panel = Widget(f, "Panel1");
    TTestWidget* button1 = Widget(f, "Button1");
    TTestWidget* button2 = Widget(f, "Button2");
    ASSERT_TRUE(panel && button1 && button2);
    EXPECT_EQ(f->Components(0), panel);
    EXPECT_EQ(f->Components(1), button1);
    EXPECT_EQ(f->Components(2), button2);
    EXPECT_EQ(f->Buddy(), button2);  // a reference to a component stored later

    EXPECT_EQ(panel->ParentWidget(), f);
    EXPECT_EQ(panel->Left(), 8);
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(panel->Shape(), TTestShape::shCircle);
    EXPECT_EQ(panel->Anchors(), (TTestAnchors{TTestAnchor::akLeft, TTestAnchor::akRight, TTestAnchor::akBottom}));
    EXPECT_EQ(panel->Caption(), "it's a \r\npanel");
    EXPECT_EQ(panel->Ratio(), 1.25);
    EXPECT_EQ(panel->Color(), 0x0080FF40);
    EXPECT_EQ(panel->ShortCut(), 16467);
    ASSERT_EQ(panel->Lines()->Count(), 3);
    EXPECT_EQ(panel->Lines()->Strings(0), "第一行");
    EXPECT_EQ(panel->Lines()->Strings(1), "second\tline");
    EXPECT_EQ(panel->Lines()->Strings(2), "");
    ASSERT_EQ(panel->Items()->Count(), 2);
    auto* item0 = panel->Items()->Item<TTestItem>(0);
    auto* item1 = panel->Items()->Item<TTestItem>(1);
    EXPECT_EQ(item0->Caption(), "文件列表");
    EXPECT_EQ(item0->Width(), 109);
    EXPECT_EQ(item0->Target(), button2);
    EXPECT_EQ(item0->Note(), "备注");
    EXPECT_EQ(item1->Caption(), "Path");
    EXPECT_EQ(item1->Width(), 50);
    EXPECT_EQ(item1->Target(), nullptr);
    EXPECT_EQ(panel->Secret(), 42);
    EXPECT_EQ(panel->Blob(), (std::vector<uint8_t>{0x01, 0x02, 0xA0, 0xFF, 0x7F}));

    EXPECT_EQ(button1->ParentWidget(), panel);
    EXPECT_EQ(button1->Owner(), f);
    EXPECT_EQ(button1->Caption(), "Press me");
    EXPECT_EQ(button1->Buddy(), panel);
    EXPECT_EQ(button2->ParentWidget(), f);
    EXPECT_EQ(button2->Left(), -5);
    EXPECT_EQ(button2->Color(), clBtnFace);
    EXPECT_EQ(button2->Ratio(), 2500.0);
    EXPECT_EQ(button2->Hint(), "按钮");

    // Handlers bound by name to the root's published methods.
    ASSERT_TRUE(f->OnClick());
    f->OnClick()(f);
    ASSERT_TRUE(button1->OnClick());
    button1->OnClick()(button1);
    EXPECT_EQ(f->Clicks, (std::vector<std::string>{"FormClick:TestForm", "ButtonClick:Button1"}));
    f->Clicks.clear();
    EXPECT_FALSE(panel->OnClick());

    for (TComponent* c : {static_cast<TComponent*>(f), static_cast<TComponent*>(panel),
                          static_cast<TComponent*>(button1), static_cast<TComponent*>(button2)}) {
      EXPECT_FALSE(c->IsLoading()) << c->Name();
      EXPECT_FALSE(c->ComponentState().Contains(TComponentStateFlag::csReading)) << c->Name();
    }
  }

  int FLive = 0;
};

TEST_F(FilerTest, ReadsEveryPropertyKindFromTheEmbeddedTextForm)
{
  TOwned<TTestForm> form = ReadTestForm();
  ExpectTestFormValues(form.get());
}

TEST_F(FilerTest, ReadingFollowsTheComponentProtocol)
{
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  TTestWidget::Log.clear();
  ASSERT_TRUE(ReadComponentRes("TESTFORM", form.get()));
  // Children are owned by the root and get their parent before any property; ReadState sees the
  // reader's parent; Loaded runs in read order while every later component is still loading.
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "ReadState TestForm - owner=-",
                            "Create  TestForm",
                            "SetParent Panel1 TestForm width=0 caption=",
                            "ReadState Panel1 TestForm owner=TestForm",
                            "Create  TestForm",
                            "SetParent Button1 Panel1 width=0 caption=",
                            "ReadState Button1 Panel1 owner=TestForm",
                            "Create  TestForm",
                            "SetParent Button2 TestForm width=0 caption=",
                            "ReadState Button2 TestForm owner=TestForm",
                            "Loaded TestForm TestForm,Panel1,Button1,Button2",
                            "Loaded Panel1 Panel1,Button1,Button2",
                            "Loaded Button1 Button1,Button2",
                            "Loaded Button2 Button2",
                        }));
}

TEST_F(FilerTest, BinaryRoundTripReadsBackEqual)
{
  TOwned<TTestForm> form = ReadTestForm();
  auto first = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*first, form.get());
  ASSERT_EQ(std::string(static_cast<const char*>(first->Memory()), 4), "TPF0");

  TOwned<TTestForm> copy(New<TTestForm>(nullptr));
  TTestWidget::Log.clear();
  first->SetPosition(0);
  ReadComponentFromStream(*first, copy.get());
  ExpectTestFormValues(copy.get());
  std::vector<std::string> loaded;
  for (const TTestCall& c : TTestWidget::Log)
    if (c.What == "Loaded") loaded.push_back(c.Name + ":" + c.Detail);
  EXPECT_EQ(loaded, (std::vector<std::string>{"TestForm:TestForm,Panel1,Button1,Button2",
                                              "Panel1:Panel1,Button1,Button2", "Button1:Button1,Button2",
                                              "Button2:Button2"}));

  // Writing the copy gives the same bytes again.
  auto second = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*second, copy.get());
  ASSERT_EQ(second->Size(), first->Size());
  EXPECT_EQ(std::memcmp(first->Memory(), second->Memory(), static_cast<size_t>(first->Size())), 0);
}

TEST_F(FilerTest, TextRoundTripReadsBackEqual)
{
  TOwned<TTestForm> form = ReadTestForm();
  std::string text = ComponentToText(form.get());
  TOwned<TTestForm> copy(New<TTestForm>(nullptr));
  ReadComponentFromText(text, copy.get());
  ExpectTestFormValues(copy.get());
  EXPECT_EQ(ComponentToText(copy.get()), text);
}

TEST_F(FilerTest, WriterStoresPublishedPropertiesInOrderWithoutDefaults)
{
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  form->SetName("Form1");
  form->SetCaption("Hi");
  form->Font()->SetCharset(134);
  form->Font()->SetStyle({TTestFontStyle::fsUnderline});
  auto* child = New<TTestWidget>(form.get());
  child->SetName("Child");
  child->SetParentWidget(form.get());
  child->SetVisible(false);
  child->SetHint("not stored while hidden");
  child->SetAnchors({});
  child->SetColor(clNone);
  child->SetShortCut(0);
  child->SetBuddy(form.get());
  child->SetOnClick(TNotifyEvent(form.get(), &TTestForm::ButtonClick));
  child->Items()->Add<TTestItem>()->SetTarget(child);
  child->Lines()->Add("'引号'");
  auto* plain = New<TTestWidget>(form.get());  // unnamed, every value at its default
  plain->SetParentWidget(form.get());
  plain->SetRatio(0.1);
  // Published properties base class first in declaration order, nested persistents in place,
  // defaults and unset values left out (Font.Height declares none), extra properties last; Items is
  // written even when empty. The text form is UTF-8.
  EXPECT_EQ(ComponentToText(form.get()),
            "object Form1: TTestForm\r\n"
            "  Caption = 'Hi'\r\n"
            "  Font.Height = 0\r\n"
            "  Font.Name = 'Tahoma'\r\n"
            "  Font.Charset = GB2312_CHARSET\r\n"
            "  Font.Style = [fsUnderline]\r\n"
            "  Items = <>\r\n"
            "  object Child: TTestWidget\r\n"
            "    Visible = False\r\n"
            "    Anchors = []\r\n"
            "    Color = clNone\r\n"
            "    Buddy = Form1\r\n"
            "    OnClick = ButtonClick\r\n"
            "    Font.Height = 0\r\n"
            "    Font.Name = 'Tahoma'\r\n"
            "    Lines.Strings = (\r\n"
            "      '''\xE5\xBC\x95\xE5\x8F\xB7''')\r\n"  // UTF-8 in the text form
            "    Items = <\r\n"
            "      item\r\n"
            "        Target = Child\r\n"
            "      end>\r\n"
            "  end\r\n"
            "  object TTestWidget\r\n"
            "    Ratio = 0.1\r\n"
            "    Font.Height = 0\r\n"
            "    Font.Name = 'Tahoma'\r\n"
            "    Items = <>\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(FilerTest, SystemColoursReadByNameOrNumberAndAreWrittenByName)
{
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  ReadComponentFromText("object F: TTestForm\n"
                        "  object A: TTestWidget\n"
                        "    Color = clBtnText\n"
                        "  end\n"
                        "  object B: TTestWidget\n"
                        "    Color = -16777211\n"  // clWindow as a number
                        "  end\n"
                        "  object C: TTestWidget\n"
                        "    Color = $FF000019\n"  // a system colour without a name
                        "  end\n"
                        "end\n",
                        form.get());
  EXPECT_EQ(Widget(form.get(), "A")->Color(), clBtnText);
  EXPECT_EQ(Widget(form.get(), "B")->Color(), clWindow);
  EXPECT_EQ(static_cast<uint32_t>(Widget(form.get(), "C")->Color()), 0xFF000019u);
  const std::string text = ComponentToText(form.get());
  EXPECT_NE(text.find("Color = clBtnText\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = clWindow\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = -16777191\r\n"), std::string::npos) << text;  // numbers as they stand
}

TEST_F(FilerTest, ChildPositionIsHandedToSetChildOrder)
{
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  TTestWidget::Log.clear();
  ReadComponentFromText("object F: TTestForm\n"
                        "  object A: TTestWidget\n"
                        "  end\n"
                        "  object B: TTestWidget [0]\n"
                        "  end\n"
                        "end\n",
                        form.get());
  std::vector<std::string> orders;
  for (const TTestCall& c : TTestWidget::Log)
    if (c.What == "SetChildOrder") orders.push_back(c.Name + " " + c.Detail);
  EXPECT_EQ(orders, std::vector<std::string>{"F B 0"});
}

TEST_F(FilerTest, ChildrenAreOwnedByTheirParentsChildOwner)
{
  const char* text = "object F: TTestForm\r\n"
                     "  Buddy = Box.Inner\r\n"
                     "  Font.Height = 0\r\n"
                     "  Font.Name = 'Tahoma'\r\n"
                     "  Items = <>\r\n"
                     "  object Box: TTestContainer\r\n"
                     "    Font.Height = 0\r\n"
                     "    Font.Name = 'Tahoma'\r\n"
                     "    Items = <>\r\n"
                     "    object Inner: TTestWidget\r\n"
                     "      Buddy = Box\r\n"
                     "      Font.Height = 0\r\n"
                     "      Font.Name = 'Tahoma'\r\n"
                     "      Items = <>\r\n"
                     "    end\r\n"
                     "  end\r\n"
                     "end\r\n";
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  ReadComponentFromText(text, form.get());
  TTestWidget* box = Widget(form.get(), "Box");
  ASSERT_NE(box, nullptr);
  TTestWidget* inner = Widget(box, "Inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(inner->Owner(), box);
  EXPECT_EQ(inner->ParentWidget(), box);
  EXPECT_EQ(inner->Buddy(), box);
  EXPECT_EQ(form->Buddy(), inner);  // a path of names from the root, stored before its target
  EXPECT_FALSE(inner->IsLoading());
  EXPECT_EQ(ComponentToText(form.get()), text);
}

TEST_F(FilerTest, NonVisualComponentsKeepTheirDesignPosition)
{
  const char* text = "object F: TTestForm\r\n"
                     "  Font.Height = 0\r\n"
                     "  Font.Name = 'Tahoma'\r\n"
                     "  Items = <>\r\n"
                     "  object Timer1: TTestNonVisual\r\n"
                     "    Tag = 3\r\n"
                     "    Left = 504\r\n"
                     "    Top = -2\r\n"
                     "  end\r\n"
                     "  object Timer2: TTestNonVisual\r\n"
                     "    Top = 65\r\n"
                     "  end\r\n"
                     "end\r\n";
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  ReadComponentFromText(text, form.get());
  TComponent* t1 = form->FindComponent("Timer1");
  TComponent* t2 = form->FindComponent("Timer2");
  ASSERT_TRUE(t1 && t2);
  EXPECT_EQ(t1->Tag(), 3);
  EXPECT_EQ(t1->DesignInfo(), static_cast<int32_t>(0xFFFE01F8));
  EXPECT_EQ(t2->DesignInfo(), 65 << 16);
  EXPECT_EQ(ComponentToText(form.get()), text);
}

TEST_F(FilerTest, ExtraPropertiesMayReadNestedProperties)
{
  // OldItems reads a collection itself, whose items have an extra property of their own.
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  ReadComponentFromText("object F: TTestForm\n"
                        "  OldItems = <\n"
                        "    item\n"
                        "      Note = 'x'\n"
                        "      Width = 3\n"
                        "    end>\n"
                        "  Secret = 7\n"
                        "end\n",
                        form.get());
  ASSERT_EQ(form->Items()->Count(), 1);
  EXPECT_EQ(form->Items()->Item<TTestItem>(0)->Note(), "x");
  EXPECT_EQ(form->Items()->Item<TTestItem>(0)->Width(), 3);
  EXPECT_EQ(form->Secret(), 7);
}

TEST_F(FilerTest, ReaderCreatesTheRootWhenGivenNoneAndKeepsNamesUniqueInTheOwner)
{
  TOwned<TComponent> owner(New<TComponent>(nullptr));
  const char* text = "object Dlg: TTestDialog\n  object A: TTestWidget\n  end\nend\n";
  TComponent* first = ReadComponentFromText(text, nullptr, owner.get());
  TComponent* second = ReadComponentFromText(text, nullptr, owner.get());
  EXPECT_TRUE(first->Is<TTestDialog>());
  EXPECT_EQ(first->Owner(), owner.get());
  EXPECT_EQ(first->Name(), "Dlg");
  EXPECT_EQ(second->Name(), "Dlg_1");
  EXPECT_EQ(second->ComponentCount(), 1);
}

TEST_F(FilerTest, FormsAreFoundByResourceAndClassName)
{
  TOwned<TTestDialog> dialog(New<TTestDialog>(nullptr));
  EXPECT_FALSE(ReadComponentRes("NOSUCHFORM", dialog.get()));
  // TTestDialog.dfm is embedded as TTESTDIALOG; TTestForm has no form of its own.
  EXPECT_TRUE(InitInheritedComponent(dialog.get(), TTestForm::StaticClass()));
  EXPECT_EQ(dialog->Caption(), "对话框");
  TTestWidget* ok = Widget(dialog.get(), "OkButton");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Caption(), "确定");
  ok->OnClick()(ok);
  EXPECT_EQ(dialog->Clicks, std::vector<std::string>{"ButtonClick:OkButton"});
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  EXPECT_FALSE(InitInheritedComponent(form.get(), TTestWidget::StaticClass()));
}

struct TBadForm {
  const char* Text;
  const char* Message;
};

// Lines: 1 object F, 2 object A, 3..; each error names its line and the offending word.
const TBadForm BadForms[] = {
  {"object F: TTestForm\n  object A: TTestWidget\n  end\n  object B: TFoo\n  end\nend\n",
   "Line 4: Class TFoo not found"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Left = 1\n    Widht = 5\n  end\nend\n",
   "Line 4: Property Widht does not exist"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Shape = shPurple\n  end\nend\n",
   "Line 3: Invalid property value 'shPurple'"},
  {"object F: TTestForm\n  object A: TTestWidget\n  end\n  Width = 'abc'\nend\n",
   "Line 4: 'end' expected but Width found"},
  {"object F: TTestForm\n  Width = 'abc'\n  object A: TTestWidget\n  end\nend\n",
   "Line 2: Invalid property value 'abc'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Visible = 1\n  end\nend\n",
   "Line 3: Invalid property value '1'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Anchors = [akLeft, akMiddle]\n  end\nend\n",
   "Line 3: Invalid property value 'akMiddle'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Color = clPurpleish\n  end\nend\n",
   "Line 3: Invalid property value 'clPurpleish'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Ratio = True\n  end\nend\n",
   "Line 3: Invalid property value 'True'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Font.Heigth = 3\n  end\nend\n",
   "Line 3: Property Font.Heigth does not exist"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Items = <\n      item\n        Widht = 1\n      end>\n"
   "  end\nend\n",
   "Line 5: Property Widht does not exist"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Caption = 'abc\n  end\nend\n",
   "Line 3: Unterminated string 'abc"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Left = 1\n  end\n", "Line 1: Object F is not terminated: "
   "'end' expected but end of file found"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Lines.Strings = (\n      'x'\n",
   "Line 3: List is not terminated: ')' expected but end of file found"},
  {"object F: TTestForm\n  object A: TTestWidget\n    OnClick = FormClik\n  end\n  object B: TTestWidget\n"
   "  end\nend\n",
   "Line 3: Method FormClik not found in TTestForm"},
  {"object F: TTestForm\n  OnClick = WrongHandler\n  object A: TTestWidget\n  end\nend\n",
   "Line 2: Method WrongHandler does not fit event OnClick"},
  {"object F: TTestForm\n  object A: TTestWidget\n  end\n  object A: TTestWidget\n  end\nend\n",
   "Line 4: A component named A already exists"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Buddy = Nobody\n  end\nend\n",
   "Line 3: Component Nobody not found"},
  {"inherited F: TTestForm\nend\n", "Line 1: Inherited and inline forms are not supported: 'inherited'"},
  {"object F: TTestForm\n  inline A: TTestWidget\n  end\nend\n",
   "Line 2: Inherited and inline forms are not supported: 'inline'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Blob = {01 0G}\n  end\nend\n",
   "Line 3: Invalid binary value '0G'"},
  {"object F: TOtherForm\nend\n", "Line 1: The stream holds a TOtherForm, not a TTestForm"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Secret = 'abc'\n  end\nend\n",
   "Line 3: Invalid property value 'abc'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Lines.Strings = 5\n  end\nend\n",
   "Line 3: Invalid property value '5'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    OldItems = <\n      item\n        Note = 1\n      end>\n"
   "  end\nend\n",
   "Line 5: Invalid property value '1'"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Items = <\n      item\n        Target = B\n      end>\n"
   "  end\n  object B: TComponent\n  end\nend\n",
   "Line 8: Class TComponent not found"},
  // Values outside the property's type: each was cut to fit it (4294967306 read as 10).
  {"object F: TTestForm\n  object A: TTestWidget\n    Width = 4294967306\n  end\nend\n",
   "Line 3: Value 4294967306 of property Width out of range (-2147483648 to 2147483647)"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Left = -2147483649\n  end\nend\n",
   "Line 3: Value -2147483649 of property Left out of range (-2147483648 to 2147483647)"},
  {"object F: TTestForm\n  object A: TTestWidget\n    ShortCut = 65536\n  end\nend\n",
   "Line 3: Value 65536 of property ShortCut out of range (0 to 65535)"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Color = $1FF0000FF\n  end\nend\n",
   "Line 3: Value 8573157631 of property Color out of range (-2147483648 to 4294967295)"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Ratio = 1e39s\n  end\nend\n",
   "Line 3: Invalid floating point value 1e39s"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Ratio = 1e300c\n  end\nend\n",
   "Line 3: Invalid floating point value 1e300c"},
  {"object F: TTestForm\n  object A: TTestWidget\n    Ratio = 1e400\n  end\nend\n",
   "Line 3: Invalid floating point value 1e400"},
};

TEST_F(FilerTest, MalformedFormsNameTheLineAndFreeWhatWasMade)
{
  for (const TBadForm& bad : BadForms) {
    SCOPED_TRACE(bad.Text);
    TOwned<TTestForm> root(New<TTestForm>(nullptr));
    int live = TTestWidget::LiveCount;
    try {
      ReadComponentFromText(bad.Text, root.get());
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), bad.Message);
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), bad.Message) << "raised as " << e.ClassName();
    }
    EXPECT_EQ(TTestWidget::LiveCount, live);
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_FALSE(root->IsLoading());
    EXPECT_FALSE(root->ComponentState().Contains(TComponentStateFlag::csReading));
  }
}

TEST_F(FilerTest, FailedReadOfANewRootFreesTheRootToo)
{
  TOwned<TComponent> owner(New<TComponent>(nullptr));
  EXPECT_THROW(ReadComponentFromText("object F: TTestForm\n  object A: TTestWidget\n    OnClick = Nope\n  end\nend\n",
                                     nullptr, owner.get()),
               EReadError);
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(FilerTest, DamagedBinaryStreamsRaiseWithoutLeaks)
{
  TOwned<TTestForm> form = ReadTestForm();
  auto good = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*good, form.get());
  std::string bytes(static_cast<const char*>(good->Memory()), static_cast<size_t>(good->Size()));
  form.reset();
  int live = TTestWidget::LiveCount;
  // Every truncation of the stream.
  for (size_t n = 0; n < bytes.size(); ++n) {
    auto cut = MakeOwned<TStringStream>(bytes.substr(0, n));
    TOwned<TTestForm> root(New<TTestForm>(nullptr));
    EXPECT_THROW(ReadComponentFromStream(*cut, root.get()), EStreamError) << n;
    EXPECT_EQ(root->ComponentCount(), 0) << n;
  }
  EXPECT_EQ(TTestWidget::LiveCount, live);
  // A string whose length runs past the end of the stream.
  size_t at = bytes.find("Press ");
  ASSERT_NE(at, std::string::npos);
  std::string damaged = bytes;
  damaged[at - 1] = static_cast<char>(0xF0);
  auto s = MakeOwned<TStringStream>(damaged);
  TOwned<TTestForm> root(New<TTestForm>(nullptr));
  EXPECT_THROW(ReadComponentFromStream(*s, root.get()), EStreamError);
  EXPECT_EQ(root->ComponentCount(), 0);
}

// A colour in its unsigned hexadecimal spelling is the same colour; floats that are not finite are
// refused in the binary form as in the text form, and a currency value past its 64-bit range
// cannot be written.
TEST_F(FilerTest, FloatsAndColoursAreReadWithinTheirRanges)
{
  TOwned<TTestForm> form(New<TTestForm>(nullptr));
  ReadComponentFromText("object F: TTestForm\n  Color = $FF00000F\n  Ratio = 2.5s\nend\n", form.get());
  EXPECT_EQ(form->Color(), static_cast<TColor>(0xFF00000Fu)) << "the 32 bits as written";
  EXPECT_EQ(form->Ratio(), 2.5);

  auto binary = [](TValueType type, const std::string& value) {
    std::string bytes("TPF0\x09TTestForm\x01" "F\x05Ratio", 22);
    bytes += static_cast<char>(type);
    return bytes + value + std::string("\0\0", 2);
  };
  const float infinity = std::numeric_limits<float>::infinity();
  uint8_t nan[10];
  DoubleToExtended(std::numeric_limits<double>::quiet_NaN(), nan);
  const std::string cases[] = {
    binary(TValueType::vaExtended, std::string("\0\0\0\0\0\0\0\x80\xFF\x7F", 10)),  // infinity
    binary(TValueType::vaExtended, std::string(reinterpret_cast<const char*>(nan), 10)),
    binary(TValueType::vaExtended, std::string("\0\0\0\0\0\0\0\x80\xFF\x43", 10)),  // 2^1024
    binary(TValueType::vaSingle, std::string(reinterpret_cast<const char*>(&infinity), 4)),
  };
  for (const std::string& bytes : cases) {
    auto stream = MakeOwned<TStringStream>(bytes);
    TOwned<TTestForm> root(New<TTestForm>(nullptr));
    try {
      ReadComponentFromStream(*stream, root.get());
      ADD_FAILURE() << "read";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Invalid floating point value");
    }
  }
  auto out = MakeOwned<TMemoryStream>();
  auto writer = MakeOwned<TWriter>(*out);
  EXPECT_THROW(writer->WriteCurrency(1e300), EWriteError);
  EXPECT_THROW(writer->WriteCurrency(std::numeric_limits<double>::quiet_NaN()), EWriteError);
  EXPECT_NO_THROW(writer->WriteCurrency(922337203685477.0));
}

// Reading a form of many components looked each name up in a list of all of them, and searched
// the list of components read so far for each new one: 40,000 took 46 s. The steps the reader
// takes (name lookups, list searches, notices to owned components) grow with the number of
// components, and so do those of freeing the form.
TEST_F(FilerTest, ReadingAndFreeingManyComponentsTakesWorkInProportion)
{
  auto work = [](int count) {
    std::string text = "object F: TTestForm\n  object W: TTestWidget\n    Buddy = Last\n  end\n";
    for (int i = 0; i < count; ++i) text += "  object C" + std::to_string(i) + ": TTestNonVisual\n  end\n";
    text += "  object Last: TTestWidget\n    Buddy = W\n  end\nend\n";
    auto binary = MakeOwned<TMemoryStream>();
    ObjectTextToBinary(text, *binary);
    binary->SetPosition(0);
    uint64_t steps = 0;
    {
      TScopedSetter<uint64_t*> counter(SetReaderWorkCounter, &steps);
      TOwned<TTestForm> form(New<TTestForm>(nullptr));
      ReadComponentFromStream(*binary, form.get());
      EXPECT_EQ(form->ComponentCount(), count + 2);
      EXPECT_EQ(Widget(form.get(), "w")->Buddy(), Widget(form.get(), "LAST"));
      EXPECT_NE(form->FindComponent("c" + std::to_string(count - 1)), nullptr);
    }
    return steps;
  };
  const uint64_t n = work(2000), n4 = work(8000);
  EXPECT_GT(n, 2000u);
  EXPECT_LT(n4, n * 5) << "4N components took " << n4 << " steps, N took " << n;
}

// The reader took 257 nested objects that the conversion to text refused. All three count nesting
// by one rule: a stream of 256 levels is taken by each, one of 257 refused by each.
TEST_F(FilerTest, TheReaderAndBothConversionsShareOneNestingBound)
{
  // Objects nested levels - 1 deep: the innermost widget's (empty) Items collection is the last level.
  auto nestedForm = [](int levels) {
    TOwned<TTestForm> form(New<TTestForm>(nullptr));
    form->SetName("F");
    TTestWidget* parent = nullptr;
    for (int i = 1; i < levels - 1; ++i) {
      auto* w = New<TTestWidget>(form.get());
      w->SetName("W" + std::to_string(i));
      w->SetParentWidget(parent);
      parent = w;
    }
    auto binary = MakeOwned<TMemoryStream>();
    WriteComponentToStream(*binary, form.get());
    return BytesOf(*binary);
  };
  auto nestedLists = [](int levels) {  // the root object, then lists
    return "object F: TTestForm\n  Blob = " + std::string(static_cast<size_t>(levels - 1), '(') + "1" +
           std::string(static_cast<size_t>(levels - 1), ')') + "\nend\n";
  };
  for (int levels : {MaxStreamNesting, MaxStreamNesting + 1}) {
    SCOPED_TRACE(levels);
    const bool taken = levels <= MaxStreamNesting;
    const std::string binary = nestedForm(levels);
    auto in = MakeOwned<TStringStream>(binary);
    auto text = MakeOwned<TStringStream>();
    if (taken) {
      ASSERT_NO_THROW(ObjectBinaryToText(*in, *text));
      auto back = MakeOwned<TMemoryStream>();
      EXPECT_NO_THROW(ObjectTextToBinary(text->DataString(), *back));
    } else {
      EXPECT_THROW(ObjectBinaryToText(*in, *text), EReadError);
    }
    in->SetPosition(0);
    TOwned<TTestForm> root(New<TTestForm>(nullptr));
    if (taken) {
      EXPECT_NO_THROW(ReadComponentFromStream(*in, root.get()));
      EXPECT_EQ(root->ComponentCount(), levels - 2);
    } else {
      EXPECT_THROW(ReadComponentFromStream(*in, root.get()), EReadError);
      EXPECT_EQ(root->ComponentCount(), 0);
    }

    // Lists count alike in both conversions.
    auto lists = MakeOwned<TMemoryStream>();
    if (taken) {
      ASSERT_NO_THROW(ObjectTextToBinary(nestedLists(levels), *lists));
      lists->SetPosition(0);
      auto listText = MakeOwned<TStringStream>();
      EXPECT_NO_THROW(ObjectBinaryToText(*lists, *listText));
    } else {
      EXPECT_THROW(ObjectTextToBinary(nestedLists(levels), *lists), EParserError);
      // The same lists in binary, one level deeper than the text form allows: one more list
      // opened before the first and closed after the innermost value.
      auto shallow = MakeOwned<TMemoryStream>();
      ObjectTextToBinary(nestedLists(levels - 1), *shallow);
      std::string bytes = BytesOf(*shallow);
      const size_t lists = bytes.find("Blob") + 4;
      ASSERT_EQ(bytes[lists], static_cast<char>(TValueType::vaList));
      bytes.insert(lists, 1, static_cast<char>(TValueType::vaList));
      const size_t value = bytes.find(std::string("\x02\x01", 2), lists);  // vaInt8 1
      bytes.insert(value + 2, 1, '\0');
      auto deep = MakeOwned<TStringStream>(bytes);
      auto deepText = MakeOwned<TStringStream>();
      EXPECT_THROW(ObjectBinaryToText(*deep, *deepText), EReadError);
    }
  }
}

namespace {
// A widget whose Size cannot be given: setting it runs out of memory.
class TGreedyWidget : public TTestWidget {
  CL_CLASS(TGreedyWidget, TTestWidget)
public:
  using TTestWidget::TTestWidget;
  int Size() const { return 0; }
  void SetSize(int) { throw std::bad_alloc(); }
};
constexpr TPropInfo GreedyProps[] = {IntProp<&TGreedyWidget::Size, &TGreedyWidget::SetSize>("Size", 0)};
}  // namespace
CL_DEFINE_CLASS(TGreedyWidget, .Props = GreedyProps);

// An allocation that fails while a form is read leaves the reader as EOutOfMemory, never as the
// standard library's exception, and what the read made is freed.
TEST_F(FilerTest, AnAllocationFailureLeavesTheReaderAsOutOfMemory)
{
  RegisterClass(TGreedyWidget::StaticClass());
  TOwned<TTestForm> root(New<TTestForm>(nullptr));
  try {
    ReadComponentFromText("object F: TTestForm\n  object A: TTestWidget\n  end\n  object G: TGreedyWidget\n"
                          "    Size = 1\n  end\nend\n",
                          root.get());
    ADD_FAILURE() << "read";
  } catch (const EOutOfMemory& e) {
    EXPECT_EQ(e.Message(), "Out of memory while reading a component stream");
  }
  EXPECT_EQ(root->ComponentCount(), 0);
  UnRegisterClass(TGreedyWidget::StaticClass());
}

TEST(Filer, ExtendedValuesConvertBothWays)
{
  // 1.0 in the 80-bit format: explicit integer bit, biased exponent 0x3FFF.
  uint8_t one[10];
  DoubleToExtended(1.0, one);
  EXPECT_EQ(std::vector<uint8_t>(one, one + 10), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  const double values[] = {0.0, -0.0, 1.0, -2.5, 0.1, 3.141592653589793, 1e308, -1e-300,
                           std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity()};
  for (double v : values) {
    uint8_t b[10];
    DoubleToExtended(v, b);
    double back = ExtendedToDouble(b);
    EXPECT_EQ(back, v);
    EXPECT_EQ(std::signbit(back), std::signbit(v)) << v;
  }
  uint8_t nan[10];
  DoubleToExtended(std::nan(""), nan);
  EXPECT_TRUE(std::isnan(ExtendedToDouble(nan)));
  // Beyond the range of double: infinity, and zero below it.
  uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F - 1};
  EXPECT_EQ(ExtendedToDouble(huge), std::numeric_limits<double>::infinity());
  uint8_t tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
  EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
}

}  // namespace

// What the writer writes of a stored form reads back to the same tree and the same text.
TEST_F(FilerTest, WrittenTestFormsReadBackToTheSameTree)
{
  TOwned<TTestForm> form = ReadTestForm();
  ExpectFormRoundTrip(form.get(), ResourceText("TESTFORM"));
  TOwned<TTestDialog> dialog(New<TTestDialog>(nullptr));
  ASSERT_TRUE(InitInheritedComponent(dialog.get(), TTestWidget::StaticClass()));
  ExpectFormRoundTrip(dialog.get(), ResourceText("TTESTDIALOG"));
}
