// Style objects: the assigned bits of a style and its notifications, observers told last first and a
// style freed while observers remain, sets of styles by index and the style sheets they follow
// (refused cycles, the order of the reported indexes), and a repository with four styles and a
// sheet written to a stored form and read back.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ObjectText.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/cxStyles.h"

namespace {
using controls_test::TComponentHolder;
using SV = TcxStyleValue;

// Observers share one log, so that the order in which several are told shows.
class TLoggingObserver : public TObject, public IcxStyleObserver {
  CL_CLASS(TLoggingObserver, TObject)
public:
  TLoggingObserver(std::vector<std::string>* Log, std::string Name, bool RemovesItself)
      : FLog(Log), FName(std::move(Name)), FRemovesItself(RemovesItself)
  {
  }
  void StyleModified(TcxCustomStyle* Style) override { FLog->push_back(FName + " modified " + Style->Name()); }
  void StyleRemoving(TcxCustomStyle* Style) override
  {
    FLog->push_back(FName + " removing " + Style->Name());
    if (FRemovesItself) Style->RemoveChangeListener(this);
  }

private:
  std::vector<std::string>* FLog;
  std::string FName;
  bool FRemovesItself;
};

// A set of three styles, Content (0), Header (1) and Selection (2), that logs the indexes it
// reports.
class TTestStyles : public TcxCustomStyles {
  CL_CLASS(TTestStyles, TcxCustomStyles)
public:
  explicit TTestStyles(TPersistent* Owner) : TcxCustomStyles(Owner) {}
  TcxStyle* Content() const { return GetValue(0); }
  void SetContent(TcxStyle* Value) { SetValue(0, Value); }
  TcxStyle* Header() const { return GetValue(1); }
  void SetHeader(TcxStyle* Value) { SetValue(1, Value); }
  TcxStyle* Selection() const { return GetValue(2); }
  void SetSelection(TcxStyle* Value) { SetValue(2, Value); }
  std::vector<int> Changes;

protected:
  void ValueChanged(int Index) override { Changes.push_back(Index); }
};

class TTestStyleSheet : public TcxCustomStyleSheet {
  CL_CLASS(TTestStyleSheet, TcxCustomStyleSheet)
public:
  explicit TTestStyleSheet(TComponent* Owner) : TcxCustomStyleSheet(Owner) {}
  TcxCustomStylesClass ResolveStylesClass() const override { return ClassRef<TTestStyles>(); }
  TTestStyles* Styles() const { return static_cast<TTestStyles*>(GetStyles()); }
};

// A sheet of another set class.
class TOtherStyles : public TcxCustomStyles {
  CL_CLASS(TOtherStyles, TcxCustomStyles)
public:
  explicit TOtherStyles(TPersistent* Owner) : TcxCustomStyles(Owner) {}
};
class TOtherStyleSheet : public TcxCustomStyleSheet {
  CL_CLASS(TOtherStyleSheet, TcxCustomStyleSheet)
public:
  explicit TOtherStyleSheet(TComponent* Owner) : TcxCustomStyleSheet(Owner) {}
  TcxCustomStylesClass ResolveStylesClass() const override { return ClassRef<TOtherStyles>(); }
};

const TPropInfo TestStylesProps[] = {
  ComponentProp<&TTestStyles::Content, &TTestStyles::SetContent>("Content"),
  ComponentProp<&TTestStyles::Header, &TTestStyles::SetHeader>("Header"),
  ComponentProp<&TTestStyles::Selection, &TTestStyles::SetSelection>("Selection"),
};
const TPropInfo TestStyleSheetProps[] = {PersistentProp<&TTestStyleSheet::Styles>("Styles")};
}  // namespace

CL_DEFINE_CLASS(TLoggingObserver);
CL_DEFINE_CLASS(TTestStyles, .Props = TestStylesProps);
CL_DEFINE_CLASS(TTestStyleSheet, .Props = TestStyleSheetProps);
CL_DEFINE_CLASS(TOtherStyles);
CL_DEFINE_CLASS(TOtherStyleSheet);

namespace {
class Styles : public testing::Test {
protected:
  void SetUp() override { RegisterClass(TTestStyleSheet::StaticClass()); }

  TcxStyle* NewStyle(const char* name)
  {
    auto* style = As<TcxStyle>(Repository->CreateItemEx(ClassRef<TcxStyle>(), Holder.get()));
    style->SetName(name);
    return style;
  }
  TTestStyleSheet* NewSheet(const char* name)
  {
    auto* sheet = As<TTestStyleSheet>(Repository->CreateStyleSheetEx(ClassRef<TTestStyleSheet>(), Holder.get()));
    sheet->SetName(name);
    return sheet;
  }
  TOwned<TLoggingObserver> NewObserver(const char* name, bool removesItself = true)
  {
    return MakeOwned<TLoggingObserver>(&Log, name, removesItself);
  }

  std::vector<std::string> Log;
  TOwned<TComponentHolder> Holder = MakeOwned<TComponentHolder>(nullptr);
  TcxStyleRepository* Repository = New<TcxStyleRepository>(Holder.get());
};

TEST_F(Styles, AssignedValuesFollowTheValues)
{
  TcxStyle* style = NewStyle("Style1");
  auto observer = NewObserver("o");
  style->AddChangeListener(observer.get());

  style->SetColor(clRed);
  style->SetColor(clRed);
  EXPECT_EQ(style->AssignedValues(), TcxStyleValues{SV::svColor});
  style->SetColor(clDefault);
  EXPECT_TRUE(style->AssignedValues().Empty()) << "clDefault unassigns";
  style->SetTextColor(clBlue);
  EXPECT_EQ(Log.size(), 3u) << "the same colour twice notifies once";

  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(4, 4);
  style->SetBitmap(bitmap.get());
  EXPECT_TRUE(style->AssignedValues().Contains(SV::svBitmap));
  auto empty = MakeOwned<TBitmap>();
  style->SetBitmap(empty.get());
  EXPECT_FALSE(style->AssignedValues().Contains(SV::svBitmap)) << "an empty bitmap unassigns";

  style->Font()->SetHeight(style->Font()->Height());
  EXPECT_FALSE(style->AssignedValues().Contains(SV::svFont)) << "no change, nothing assigned";
  auto font = MakeOwned<TFont>();
  style->SetFont(font.get());
  EXPECT_FALSE(style->AssignedValues().Contains(SV::svFont)) << "assigning an equal font changes nothing";
  style->Font()->SetStyle({TFontStyle::fsBold});
  EXPECT_TRUE(style->AssignedValues().Contains(SV::svFont)) << "any font change assigns";

  // Removing a bit keeps the value behind it.
  style->SetAssignedValues({SV::svFont});
  EXPECT_EQ(style->TextColor(), clBlue);

  // Reset: nothing assigned, no bitmap, default colours, the font as it was; one notification.
  style->SetBitmap(bitmap.get());
  Log.clear();
  style->ResetValues();
  EXPECT_EQ(Log, std::vector<std::string>{"o modified Style1"});
  EXPECT_TRUE(style->AssignedValues().Empty());
  EXPECT_TRUE(style->Bitmap()->Empty());
  EXPECT_EQ(style->TextColor(), clDefault);
  EXPECT_EQ(style->Font()->Style(), TFontStyles{TFontStyle::fsBold});

  // Assign ends with the source's assigned set.
  TcxStyle* source = NewStyle("Style2");
  source->SetColor(clGreen);
  source->Font()->SetName("SimSun");
  source->SetAssignedValues({SV::svColor});
  style->Assign(source);
  EXPECT_EQ(style->Color(), clGreen);
  EXPECT_EQ(style->Font()->Name(), "SimSun");
  EXPECT_EQ(style->AssignedValues(), TcxStyleValues{SV::svColor});
  style->RemoveChangeListener(observer.get());
}

TEST_F(Styles, ScalingKeepsWhatIsAssigned)
{
  TcxStyle* plain = NewStyle("Plain");
  TcxStyle* withFont = NewStyle("WithFont");
  plain->Font()->SetHeight(-10);
  plain->SetAssignedValues({});
  withFont->Font()->SetHeight(-10);
  auto observer = NewObserver("o");
  plain->AddChangeListener(observer.get());

  plain->ApplyScale(2, 1);
  withFont->ApplyScale(2, 1);
  EXPECT_EQ(plain->Font()->Height(), -20);
  EXPECT_TRUE(plain->AssignedValues().Empty()) << "scaling does not assign the font";
  EXPECT_EQ(withFont->AssignedValues(), TcxStyleValues{SV::svFont});
  EXPECT_EQ(Log, std::vector<std::string>{"o modified Plain"});
  plain->RemoveChangeListener(observer.get());
}

TEST_F(Styles, ObserversAreToldLastFirst)
{
  TcxStyle* style = NewStyle("Style1");
  auto first = NewObserver("first");
  auto second = NewObserver("second");
  style->AddChangeListener(first.get());
  style->AddChangeListener(second.get());
  style->AddChangeListener(first.get());
  EXPECT_EQ(style->ListenerCount(), 2) << "added once";

  style->SetColor(clRed);
  EXPECT_EQ(Log, (std::vector<std::string>{"second modified Style1", "first modified Style1"}));

  Log.clear();
  Free(style);
  EXPECT_EQ(Log, (std::vector<std::string>{"second removing Style1", "first removing Style1"}));
  EXPECT_EQ(Repository->Count(), 0) << "a freed style leaves its repository";
}

TEST_F(Styles, StyleFreedWhileObserversRemain)
{
  TcxStyle* style = NewStyle("Style1");
  auto stubborn = NewObserver("stubborn", false);
  auto polite = NewObserver("polite", true);
  style->AddChangeListener(polite.get());
  style->AddChangeListener(stubborn.get());

  Free(style);
  EXPECT_EQ(Log, (std::vector<std::string>{"stubborn removing Style1", "polite removing Style1"}))
      << "each observer is told once, whether it removes itself or not";
}

TEST_F(Styles, SetsReportTheIndexesOfTheirStyles)
{
  TcxStyle* shared = NewStyle("Shared");
  TcxStyle* other = NewStyle("Other");
  auto first = MakeOwned<TTestStyles>(nullptr);
  auto second = MakeOwned<TTestStyles>(nullptr);
  first->SetContent(shared);
  first->SetHeader(other);
  first->SetSelection(shared);
  second->SetHeader(shared);
  EXPECT_EQ(first->Changes, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(shared->ListenerCount(), 2) << "each set observes a style once";

  first->Changes.clear();
  shared->SetColor(clRed);
  EXPECT_EQ(first->Changes, (std::vector<int>{0, 2}));
  EXPECT_EQ(second->Changes.back(), 1);

  // Deleting one of two places of a style keeps the set observing it.
  first->Changes.clear();
  first->SetSelection(nullptr);
  EXPECT_EQ(first->Changes, std::vector<int>{2});
  EXPECT_EQ(shared->ListenerCount(), 2);

  // Freeing a style that two sets hold takes it out of both; each reports what it held.
  first->Changes.clear();
  second->Changes.clear();
  Free(shared);
  EXPECT_EQ(first->Content(), nullptr);
  EXPECT_EQ(second->Header(), nullptr);
  EXPECT_EQ(first->Changes, std::vector<int>{0});
  EXPECT_EQ(second->Changes, std::vector<int>{1});
  EXPECT_EQ(first->ItemCount(), 1);
  EXPECT_EQ(first->Header(), other);

  EXPECT_THROW(first->Delete(5), EListError);
  first.reset();
  EXPECT_EQ(other->ListenerCount(), 0) << "a freed set stops observing";
}

TEST_F(Styles, SheetsPassTheirChangesOn)
{
  TcxStyle* red = NewStyle("Red");
  TcxStyle* blue = NewStyle("Blue");
  TTestStyleSheet* sheet = NewSheet("Sheet1");
  TTestStyleSheet* base = NewSheet("Base");
  base->Styles()->SetSelection(red);
  sheet->Styles()->SetContent(red);
  sheet->Styles()->SetHeader(blue);
  sheet->Styles()->SetStyleSheet(base);
  auto set = MakeOwned<TTestStyles>(nullptr);

  // Attaching reports the new sheet's indexes, then those of the sheets it follows, each once.
  set->SetStyleSheet(sheet);
  EXPECT_EQ(set->Changes, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(set->Selection(), red) << "a value of the sheet's own sheet";

  // A style change travels down: the sheet's set, the sheet, its followers.
  set->Changes.clear();
  blue->SetColor(clBlue);
  EXPECT_EQ(set->Changes, std::vector<int>{1});
  set->Changes.clear();
  red->SetColor(clRed);
  EXPECT_EQ(set->Changes, (std::vector<int>{0, 2})) << "as the sheet reports them: its own first";

  // Switching: the old sheet's indexes, then the new one's, in the order collected.
  TTestStyleSheet* other = NewSheet("Other");
  other->Styles()->SetSelection(blue);
  set->Changes.clear();
  set->SetStyleSheet(other);
  EXPECT_EQ(set->Changes, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(sheet->FollowerCount(), 0);
  EXPECT_EQ(other->FollowerCount(), 1);

  // A freed sheet lets its followers go.
  set->Changes.clear();
  Free(other);
  EXPECT_EQ(set->StyleSheet(), nullptr);
  EXPECT_EQ(set->Changes, std::vector<int>{2});
  EXPECT_EQ(Repository->StyleSheetCount(), 2);
}

TEST_F(Styles, SheetCyclesAndForeignSheetsAreRefused)
{
  TTestStyleSheet* a = NewSheet("A");
  TTestStyleSheet* b = NewSheet("B");
  TTestStyleSheet* c = NewSheet("C");
  b->Styles()->SetStyleSheet(a);
  c->Styles()->SetStyleSheet(b);

  a->Styles()->SetStyleSheet(c);
  EXPECT_EQ(a->Styles()->StyleSheet(), nullptr) << "C follows B, which follows A";
  a->Styles()->SetStyleSheet(a);
  EXPECT_EQ(a->Styles()->StyleSheet(), nullptr) << "its own sheet";

  auto foreign = As<TOtherStyleSheet>(Repository->CreateStyleSheetEx(ClassRef<TOtherStyleSheet>(), Holder.get()));
  auto set = MakeOwned<TTestStyles>(nullptr);
  set->SetStyleSheet(foreign);
  EXPECT_EQ(set->StyleSheet(), nullptr) << "a sheet of another set class";

  // Copying a set copies the sheet it follows.
  auto copy = MakeOwned<TTestStyles>(nullptr);
  set->SetStyleSheet(c);
  copy->Assign(set.get());
  EXPECT_EQ(copy->StyleSheet(), c);
  EXPECT_EQ(c->FollowerCount(), 2);

  EXPECT_THROW(Repository->CreateItem(TcxCustomStyleClass(TTestStyleSheet::StaticClass())), EInvalidCast);
}

TEST_F(Styles, SheetCaptionAndRepository)
{
  TTestStyleSheet* sheet = NewSheet("Sheet1");
  EXPECT_EQ(sheet->Caption(), "Sheet1") << "the name while there is no caption";
  sheet->SetCaption("Blue sky");
  EXPECT_EQ(sheet->Caption(), "Blue sky");
  sheet->SetCaption("SHEET1");
  EXPECT_FALSE(sheet->IsCaptionStored()) << "a caption equal to the name is none";
  EXPECT_FALSE(sheet->BuiltIn());

  // Styles made by CreateItem belong to the repository; all go with it.
  TcxCustomStyle* own = Repository->CreateItem(ClassRef<TcxStyle>());
  EXPECT_EQ(own->Owner(), Repository);
  EXPECT_EQ(own->GetParentComponent(), Repository);
  TcxStyle* onForm = NewStyle("OnForm");
  auto second = MakeOwned<TcxStyleRepository>(nullptr);
  onForm->SetParentComponent(second.get());
  EXPECT_EQ(onForm->StyleRepository(), second.get());
  EXPECT_EQ(Repository->Count(), 1);
  EXPECT_THROW(onForm->SetParentComponent(Holder.get()), EInvalidCast);

  second.reset();
  EXPECT_EQ(Holder->FindComponent("OnForm"), nullptr) << "the repository frees its styles";
  EXPECT_THROW(Repository->Items(1), EListError);
  Free(Repository);
  EXPECT_EQ(Holder->ComponentCount(), 0);
}

TEST_F(Styles, RepositoryRoundTrip)
{
  Holder->SetName("Form1");
  Repository->SetName("Repository1");
  TcxStyle* content = NewStyle("Content");
  content->SetColor(clInfoBk);
  content->SetTextColor(clNavy);
  TcxStyle* header = NewStyle("Header");
  header->Font()->SetName("SimSun");
  header->Font()->SetStyle({TFontStyle::fsBold});
  TcxStyle* pattern = NewStyle("Pattern");
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(3, 2);
  bitmap->Canvas()->SetPixels(1, 1, clRed);
  pattern->SetBitmap(bitmap.get());
  NewStyle("Plain");
  TTestStyleSheet* sheet = NewSheet("Sheet1");
  sheet->SetCaption("Blue sky");
  sheet->Styles()->SetContent(content);
  sheet->Styles()->SetHeader(header);

  const std::string text = ComponentToText(Holder.get());
  EXPECT_NE(text.find("AssignedValues = [svColor, svTextColor]"), std::string::npos) << text;
  EXPECT_NE(text.find("AssignedValues = [svFont]"), std::string::npos) << text;
  EXPECT_NE(text.find("Bitmap.Data = {"), std::string::npos) << text;
  EXPECT_NE(text.find("AssignedValues = []"), std::string::npos) << "always stored, even when empty";
  EXPECT_NE(text.find("Styles.Header = Header"), std::string::npos) << text;
  EXPECT_NE(text.find("BuiltIn = False"), std::string::npos) << text;
  const size_t fontName = text.find("Font.Name");
  EXPECT_TRUE(fontName != std::string::npos && text.find("Font.Name", fontName + 1) == std::string::npos)
      << "only an assigned font is stored";
  // The styles and the sheet are the repository's children, not the form's.
  EXPECT_LT(text.find("object Repository1"), text.find("object Content"));

  auto read = MakeOwned<TComponentHolder>(nullptr);
  ReadComponentFromText(text, read.get());
  EXPECT_EQ(ComponentToText(read.get()), text);
  auto* readRepository = As<TcxStyleRepository>(read->FindComponent("Repository1"));
  ASSERT_EQ(readRepository->Count(), 4);
  ASSERT_EQ(readRepository->StyleSheetCount(), 1);
  auto* readContent = As<TcxStyle>(readRepository->Items(0));
  auto* readPattern = As<TcxStyle>(readRepository->Items(2));
  auto* readSheet = As<TTestStyleSheet>(readRepository->StyleSheets(0));
  EXPECT_EQ(readContent->Owner(), read.get());
  EXPECT_EQ(readContent->AssignedValues(), content->AssignedValues());
  EXPECT_EQ(readContent->TextColor(), clNavy);
  EXPECT_EQ(readPattern->AssignedValues(), TcxStyleValues{SV::svBitmap});
  EXPECT_TRUE(As<TcxStyle>(readRepository->Items(3))->AssignedValues().Empty());
  EXPECT_TRUE(readPattern->Bitmap()->Equals(bitmap.get()));
  EXPECT_EQ(readSheet->Caption(), "Blue sky");
  EXPECT_EQ(readSheet->Styles()->Content(), readContent);
  EXPECT_EQ(readSheet->Styles()->Header(), readRepository->Items(1));

  // The sheet observes the styles it was read with.
  auto set = MakeOwned<TTestStyles>(nullptr);
  set->SetStyleSheet(readSheet);
  set->Changes.clear();
  readContent->SetColor(clRed);
  EXPECT_EQ(set->Changes, std::vector<int>{0});
}
}  // namespace
