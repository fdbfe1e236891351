#include "toolkit/editors/cxFormats.h"

#include <algorithm>
#include <cstring>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxDateUtils.h"

namespace {
TUnitObject<TcxFormatController> GFormatController{UnitcxFormats};

const TUnit* const Uses[] = {&FormsUnit, &UnitdxCore, &UnitcxClasses};

// The section a WM_SETTINGCHANGE names; the message also comes without one.
bool NamesSection(LPARAM lParam, const char* section)
{
  return lParam != 0 && std::strcmp(reinterpret_cast<const char*>(lParam), section) == 0;
}
}  // namespace

TUnit UnitcxFormats{"cxFormats", Uses};

TcxFormatController* GetFormatController() { return GFormatController.Get(); }

CL_DEFINE_CLASS(TcxFormatController);

TcxFormatController::TcxFormatController()
    : FParsedDateFormat(MakeOwned<TcxDateTimeFormatInfo>()),
      FParsedTimeFormat(MakeOwned<TcxDateTimeFormatInfo>()),
      FParsedDateTimeFormat(MakeOwned<TcxDateTimeFormatInfo>())
{
}

TcxFormatController::~TcxFormatController()
{
  if (FObservingStrings)
    if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->RemoveListener(this);
}

void TcxFormatController::AfterConstruction()
{
  inherited::AfterConstruction();
  Refresh();
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) {
    repository->AddListener(this);
    FObservingStrings = true;
  }
}

void TcxFormatController::AddListener(IcxFormatObserver* observer)
{
  if (observer && std::find(FListeners.begin(), FListeners.end(), observer) == FListeners.end())
    FListeners.push_back(observer);
}

void TcxFormatController::RemoveListener(IcxFormatObserver* observer) { std::erase(FListeners, observer); }

void TcxFormatController::TellListeners(void (*tell)(IcxFormatObserver* observer))
{
  // A listener told may add or remove listeners: each one listed now is told once, while it stays.
  const std::vector<IcxFormatObserver*> listeners = FListeners;
  for (IcxFormatObserver* observer : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), observer) != FListeners.end()) tell(observer);
}

void TcxFormatController::NotifyListeners()
{
  TellListeners([](IcxFormatObserver* observer) { observer->FormatChanged(); });
}

void TcxFormatController::Refresh()
{
  FCurrencyDisplayFormat = BuildCurrencyFormat();
  RebuildDateTimeMasks(true);
}

std::string TcxFormatController::LongTimeFormat() const
{
  if (FUseClassLibraryFormats) return FormatSettings().LongTimeFormat;
  return ConvertLocaleTimeFormat(ReadLocaleString(GetThreadLocale(), LOCALE_STIMEFORMAT, ""));
}

TcxNamedFormats TcxFormatController::NamedFormats() const
{
  const TFormatSettings& fs = FormatSettings();
  return {fs.ShortDateFormat, fs.LongDateFormat, fs.ShortTimeFormat, LongTimeFormat()};
}

void TcxFormatController::RebuildDateTimeMasks(bool withSmartInput)
{
  const TcxNamedFormats named = NamedFormats();
  BuildFormatInfo(named.ShortDate, *FParsedDateFormat, named);
  BuildFormatInfo(named.LongTime, *FParsedTimeFormat, named);
  BuildFormatInfo(named.ShortDate + " " + named.LongTime, *FParsedDateTimeFormat, named);

  FDateEditStandardMask = BuildStandardMask(*FParsedDateFormat, TcxFormatMaskKind::Date);
  const std::string dateMask = BuildRegExprMask(*FParsedDateFormat, TcxFormatMaskKind::Date);
  FDateEditRegExprMask = dateMask;
  if (withSmartInput) AddSmartInputToRegExprMask(FDateEditRegExprMask, false);
  // A date-time mask without its date part stays empty until the smart words are added.
  FDateTimeEditRegExprMask.clear();
  if (!dateMask.empty())
    FDateTimeEditRegExprMask =
        dateMask + " ' '(" + BuildRegExprMask(*FParsedTimeFormat, TcxFormatMaskKind::Time) + ")?";
  if (withSmartInput) AddSmartInputToRegExprMask(FDateTimeEditRegExprMask, true);
  FDateTimeEditStandardMask = BuildStandardMask(*FParsedDateTimeFormat, TcxFormatMaskKind::DateTime);
  FDateEditDisplayFormat = BuildDisplayFormat(*FParsedDateFormat);
  FDateTimeEditDisplayFormat = BuildDisplayFormat(*FParsedDateTimeFormat);
}

int TcxFormatController::StartOfWeek() const { return GetStartOfWeek(); }

void TcxFormatController::ResourceStringsChanged()
{
  // The smart-input words are resource strings: the masks take their new texts.
  Refresh();
  NotifyListeners();
}

void TcxFormatController::WndProc(TMessage& message)
{
  switch (message.Msg) {
  case WM_SETTINGCHANGE:
    // The section name is compared exactly; the message without one names no section.
    if (message.WParam == 0 && NamesSection(message.LParam, "intl") &&
        (!Application || Application->UpdateFormatSettings())) {
      SetThreadLocale(LOCALE_USER_DEFAULT);
      ReloadFormatSettings();
      Refresh();
      NotifyListeners();
      message.Result = 0;
      return;
    }
    break;
  case WM_TIMECHANGE:
    TellListeners([](IcxFormatObserver* observer) {
      if (IcxTimeChangeObserver* timeObserver = Supports<IcxTimeChangeObserver>(observer)) timeObserver->TimeChanged();
    });
    message.Result = 0;
    return;
  }
  inherited::WndProc(message);
}
