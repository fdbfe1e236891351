#include "app/StandInControls.h"

#include <charconv>
#include "classlib/TypInfo.h"

namespace {
using TSE = TSpinEditStandIn;
constexpr TPropInfo SpinEditProps[] = {
  IntProp<&TSE::Value, &TSE::SetValue>("Value", 0),
  EventProp<&TSE::OnCurChange, &TSE::SetOnCurChange>("OnCurChange"),
};
}  // namespace

CL_DEFINE_CLASS(TBarEditStandIn);
CL_DEFINE_CLASS(TSpinEditStandIn, .Props = SpinEditProps);

void TBarEditStandIn::WndProc(TMessage& msg)
{
  if (msg.Msg == CN_KEYDOWN && (msg.WParam == VK_RETURN || msg.WParam == VK_TAB)) {
    FCommitted = Text();
  } else if (msg.Msg == CM_EXIT && Text() != FCommitted) {
    SetText(FCommitted);
  }
  TEdit::WndProc(msg);
}

void TBarEditStandIn::SetCommittedText(const std::string& value)
{
  FCommitted = value;
  SetText(value);
}

namespace {
constexpr int MinValue = 0;

// The whole number a text holds, blanks around it allowed; MinValue for any other text.
int TextToValue(const std::string& text)
{
  size_t first = text.find_first_not_of(' ');
  size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) return MinValue;
  int value = 0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end ? value : MinValue;
}
}  // namespace

TSpinEditStandIn::TSpinEditStandIn(TComponent* owner) : TEdit(owner) { ShowValue(); }

void TSpinEditStandIn::WndProc(TMessage& msg)
{
  TEdit::WndProc(msg);
  // Leaving the box ends the typing: the box shows the value the typed text gave.
  if (msg.Msg == CM_EXIT) ShowValue();
}

void TSpinEditStandIn::SetValue(int value)
{
  SetAndNotify(FValue, value, [this] {
    // Rewriting the text being typed would move the caret under the user's fingers.
    if (!Focused()) ShowValue();
  });
}

void TSpinEditStandIn::ShowValue() { SetText(std::to_string(FValue)); }

int TSpinEditStandIn::GetEditingValue() const { return TextToValue(Text()); }

void TSpinEditStandIn::Change()
{
  TEdit::Change();
  if (FOnCurChange && !IsLoading()) FOnCurChange(this);
}

void RegisterStandInControls()
{
  RegisterClass(TBarEditStandIn::StaticClass());
  RegisterClass(TSpinEditStandIn::StaticClass());
}

void UnregisterStandInControls()
{
  UnRegisterClass(TBarEditStandIn::StaticClass());
  UnRegisterClass(TSpinEditStandIn::StaticClass());
}
