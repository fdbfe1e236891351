// Edit buttons: the default button, shown captions, widths, glyphs, change reports, copying and the
// stored form.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Component.h"
#include "classlib/ObjectText.h"
#include "classlib/TypInfo.h"
#include "toolkit/editors/cxEditButtons.h"

namespace {

class TButtonsLog : public TObject {
  CL_CLASS(TButtonsLog, TObject)
public:
  void Changed(TObject* Sender) { Senders.push_back(Sender); }
  TNotifyEvent Handler() { return TNotifyEvent(this, &TButtonsLog::Changed); }
  std::vector<TObject*> Senders;
};

// A component that publishes a buttons collection.
class TButtonsHolder : public TComponent {
  CL_CLASS(TButtonsHolder, TComponent)
public:
  explicit TButtonsHolder(TComponent* Owner)
      : TComponent(Owner), FButtons(ClassRef<TcxEditButtons>().Create(this, ClassRef<TcxEditButton>()))
  {
  }
  TcxEditButtons* Buttons() const { return FButtons.get(); }

private:
  TOwned<TcxEditButtons> FButtons;
};

const TPropInfo HolderProps[] = {CollectionProp<&TButtonsHolder::Buttons>("Buttons")};

CL_DEFINE_CLASS(TButtonsLog);
CL_DEFINE_CLASS(TButtonsHolder, .Props = HolderProps);

struct TButtonsFixture {
  TButtonsFixture() { Buttons->SetOnChange(Log->Handler()); }
  TOwned<TButtonsLog> Log = MakeOwned<TButtonsLog>();
  TOwned<TcxEditButtons> Buttons = MakeOwned<TcxEditButtons>(nullptr, ClassRef<TcxEditButton>());
};

TEST(EditButtons, ANewButtonHasTheDefaults)
{
  TButtonsFixture f;
  TcxEditButton* button = f.Buttons->AddButton();
  EXPECT_EQ(button->Kind(), bkDown);
  EXPECT_EQ(button->ContentAlignment(), taCenter);
  EXPECT_TRUE(button->Enabled());
  EXPECT_TRUE(button->Stretchable());
  EXPECT_TRUE(button->Visible());
  EXPECT_FALSE(button->Default());
  EXPECT_EQ(button->TextColor(), clBtnText);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_FALSE(button->HasGlyph());
  EXPECT_EQ(f.Log->Senders, std::vector<TObject*>{f.Buttons.get()}) << "the collection reports its new item";
}

TEST(EditButtons, AtMostOneButtonIsTheDefault)
{
  TButtonsFixture f;
  TcxEditButton* first = f.Buttons->AddButton();
  TcxEditButton* second = f.Buttons->AddButton();
  f.Log->Senders.clear();
  first->SetDefault(true);
  second->SetDefault(true);
  EXPECT_FALSE(first->Default());
  EXPECT_TRUE(second->Default());
  EXPECT_EQ(f.Log->Senders.size(), 2u);
  second->SetDefault(true);
  EXPECT_EQ(f.Log->Senders.size(), 2u) << "an equal value changes nothing";
  second->SetDefault(false);
  EXPECT_FALSE(first->Default());
  EXPECT_FALSE(second->Default());
  EXPECT_EQ(f.Log->Senders.size(), 3u);
}

TEST(EditButtons, ShownCaptionsLoseTheirMnemonicMarks)
{
  const std::pair<const char*, const char*> cases[] = {
    {"&Open", "Open"},   {"Save && Exit", "Save & Exit"}, {"End&", "End_"}, {"a&&", "a&"},
    {"&&&x", "&x"},      {"", ""},                        {"No marks", "No marks"}, {"打&开", "打开"},
  };
  TButtonsFixture f;
  TcxEditButton* button = f.Buttons->AddButton();
  for (auto [caption, shown] : cases) {
    button->SetCaption(caption);
    EXPECT_EQ(button->Caption(), caption);
    EXPECT_EQ(button->ShownCaption(), shown) << caption;
  }
}

TEST(EditButtons, ANegativeWidthIsRefusedAndALaterWidthTaken)
{
  TButtonsFixture f;
  TcxEditButton* button = f.Buttons->AddButton();
  button->SetWidth(20);
  f.Log->Senders.clear();
  button->SetWidth(-5);
  EXPECT_EQ(button->Width(), 20);
  EXPECT_TRUE(f.Log->Senders.empty());
  button->SetWidth(30);
  EXPECT_EQ(button->Width(), 30);
  button->SetWidth(0);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_EQ(f.Log->Senders.size(), 2u);
}

TEST(EditButtons, GlyphsAreMadeWhenReadAndFreedWhenCleared)
{
  TButtonsFixture f;
  TcxEditButton* button = f.Buttons->AddButton();
  TBitmap* glyph = button->Glyph();
  ASSERT_NE(glyph, nullptr);
  EXPECT_TRUE(glyph->Empty());
  EXPECT_TRUE(button->HasGlyph());
  f.Log->Senders.clear();
  glyph->SetSize(8, 8);
  EXPECT_FALSE(f.Log->Senders.empty()) << "a change of the glyph is a change of the button";
  auto source = MakeOwned<TBitmap>();
  source->SetSize(5, 6);
  button->SetGlyph(source.get());
  EXPECT_EQ(button->Glyph()->Width(), 5);
  EXPECT_NE(button->Glyph(), source.get());
  button->SetGlyph(nullptr);
  EXPECT_FALSE(button->HasGlyph());
}

TEST(EditButtons, VisibleCountCountsVisibleButtonsOnly)
{
  TButtonsFixture f;
  for (bool visible : {false, true, true, false, true}) f.Buttons->AddButton()->SetVisible(visible);
  EXPECT_EQ(f.Buttons->VisibleCount(), 3);
  f.Buttons->Items(0)->SetVisible(true);
  EXPECT_EQ(f.Buttons->VisibleCount(), 4);
}

TEST(EditButtons, AssignCopiesEveryValueInOneUpdate)
{
  TButtonsFixture f;
  TcxEditButton* source = f.Buttons->AddButton();
  source->SetCaption("&Go");
  source->SetContentAlignment(taRightJustify);
  source->SetEnabled(false);
  source->SetKind(bkText);
  source->SetLeftAlignment(true);
  source->SetStretchable(false);
  source->SetTag(9);
  source->SetTextColor(clRed);
  source->SetVisible(false);
  source->SetWidth(33);
  source->SetHint("Go|Goes there");
  TcxEditButton* target = f.Buttons->AddButton();
  f.Log->Senders.clear();
  target->Assign(source);
  EXPECT_EQ(f.Log->Senders.size(), 1u);
  EXPECT_EQ(target->Caption(), "&Go");
  EXPECT_EQ(target->ShownCaption(), "Go");
  EXPECT_EQ(target->ContentAlignment(), taRightJustify);
  EXPECT_FALSE(target->Enabled());
  EXPECT_EQ(target->Kind(), bkText);
  EXPECT_TRUE(target->LeftAlignment());
  EXPECT_FALSE(target->Stretchable());
  EXPECT_EQ(target->Tag(), 9);
  EXPECT_EQ(target->TextColor(), clRed);
  EXPECT_FALSE(target->Visible());
  EXPECT_EQ(target->Width(), 33);
  EXPECT_EQ(target->Hint(), "Go|Goes there");
  EXPECT_TRUE(source->HasGlyph()) << "a source without a glyph is given one";
  EXPECT_TRUE(target->HasGlyph());

  auto other = MakeOwned<TcxEditButtons>(nullptr, ClassRef<TcxEditButton>());
  EXPECT_THROW(target->Assign(other.get()), EConvertError);
}

TEST(EditButtons, TheStoredFormLeavesOutDefaultsAndATagOfZero)
{
  auto holder = MakeOwned<TButtonsHolder>(nullptr);
  holder->SetName("Holder");
  holder->Buttons()->AddButton();
  TcxEditButton* second = holder->Buttons()->AddButton();
  second->SetTag(7);
  second->SetKind(bkEllipsis);
  second->SetCaption("&x");
  const std::string text = ComponentToText(holder.get());
  EXPECT_EQ(text.find("Tag = 7"), text.rfind("Tag"));
  EXPECT_NE(text.find("Tag = 7"), std::string::npos) << text;
  EXPECT_EQ(text.find("Glyph"), std::string::npos) << text;
  EXPECT_EQ(text.find("Width"), std::string::npos) << text;
  auto read = MakeOwned<TButtonsHolder>(nullptr);
  ReadComponentFromText(text, read.get());
  ASSERT_EQ(read->Buttons()->Count(), 2);
  EXPECT_EQ(read->Buttons()->Items(0)->Tag(), 0);
  EXPECT_EQ(read->Buttons()->Items(1)->Tag(), 7);
  EXPECT_EQ(read->Buttons()->Items(1)->Kind(), bkEllipsis);
  EXPECT_EQ(read->Buttons()->Items(1)->ShownCaption(), "x");
  EXPECT_EQ(read->Buttons()->GetOwner(), read.get());
}

}  // namespace
