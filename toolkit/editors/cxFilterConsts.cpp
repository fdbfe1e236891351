#include "toolkit/editors/cxFilterConsts.h"

#include "resources/strings/cxFilterConstsIds.h"
#include "toolkit/base/dxCore.h"

const TResStringRec cxSFilterOperatorEqual{IDS_cxSFilterOperatorEqual};
const TResStringRec cxSFilterOperatorNotEqual{IDS_cxSFilterOperatorNotEqual};
const TResStringRec cxSFilterOperatorLess{IDS_cxSFilterOperatorLess};
const TResStringRec cxSFilterOperatorLessEqual{IDS_cxSFilterOperatorLessEqual};
const TResStringRec cxSFilterOperatorGreater{IDS_cxSFilterOperatorGreater};
const TResStringRec cxSFilterOperatorGreaterEqual{IDS_cxSFilterOperatorGreaterEqual};
const TResStringRec cxSFilterOperatorLike{IDS_cxSFilterOperatorLike};
const TResStringRec cxSFilterOperatorNotLike{IDS_cxSFilterOperatorNotLike};
const TResStringRec cxSFilterOperatorBetween{IDS_cxSFilterOperatorBetween};
const TResStringRec cxSFilterOperatorNotBetween{IDS_cxSFilterOperatorNotBetween};
const TResStringRec cxSFilterOperatorInList{IDS_cxSFilterOperatorInList};
const TResStringRec cxSFilterOperatorNotInList{IDS_cxSFilterOperatorNotInList};
const TResStringRec cxSFilterOperatorYesterday{IDS_cxSFilterOperatorYesterday};
const TResStringRec cxSFilterOperatorToday{IDS_cxSFilterOperatorToday};
const TResStringRec cxSFilterOperatorTomorrow{IDS_cxSFilterOperatorTomorrow};
const TResStringRec cxSFilterOperatorLast7Days{IDS_cxSFilterOperatorLast7Days};
const TResStringRec cxSFilterOperatorLastWeek{IDS_cxSFilterOperatorLastWeek};
const TResStringRec cxSFilterOperatorLast14Days{IDS_cxSFilterOperatorLast14Days};
const TResStringRec cxSFilterOperatorLastTwoWeeks{IDS_cxSFilterOperatorLastTwoWeeks};
const TResStringRec cxSFilterOperatorLast30Days{IDS_cxSFilterOperatorLast30Days};
const TResStringRec cxSFilterOperatorLastMonth{IDS_cxSFilterOperatorLastMonth};
const TResStringRec cxSFilterOperatorLastYear{IDS_cxSFilterOperatorLastYear};
const TResStringRec cxSFilterOperatorPast{IDS_cxSFilterOperatorPast};
const TResStringRec cxSFilterOperatorThisWeek{IDS_cxSFilterOperatorThisWeek};
const TResStringRec cxSFilterOperatorThisMonth{IDS_cxSFilterOperatorThisMonth};
const TResStringRec cxSFilterOperatorThisYear{IDS_cxSFilterOperatorThisYear};
const TResStringRec cxSFilterOperatorNext7Days{IDS_cxSFilterOperatorNext7Days};
const TResStringRec cxSFilterOperatorNextWeek{IDS_cxSFilterOperatorNextWeek};
const TResStringRec cxSFilterOperatorNext14Days{IDS_cxSFilterOperatorNext14Days};
const TResStringRec cxSFilterOperatorNextTwoWeeks{IDS_cxSFilterOperatorNextTwoWeeks};
const TResStringRec cxSFilterOperatorNext30Days{IDS_cxSFilterOperatorNext30Days};
const TResStringRec cxSFilterOperatorNextMonth{IDS_cxSFilterOperatorNextMonth};
const TResStringRec cxSFilterOperatorNextYear{IDS_cxSFilterOperatorNextYear};
const TResStringRec cxSFilterOperatorFuture{IDS_cxSFilterOperatorFuture};
const TResStringRec cxSFilterAndCaption{IDS_cxSFilterAndCaption};
const TResStringRec cxSFilterOrCaption{IDS_cxSFilterOrCaption};
const TResStringRec cxSFilterNotCaption{IDS_cxSFilterNotCaption};
const TResStringRec cxSFilterBlankCaption{IDS_cxSFilterBlankCaption};
const TResStringRec cxSFilterOperatorIsNull{IDS_cxSFilterOperatorIsNull};
const TResStringRec cxSFilterOperatorIsNotNull{IDS_cxSFilterOperatorIsNotNull};
const TResStringRec cxSFilterOperatorBeginsWith{IDS_cxSFilterOperatorBeginsWith};
const TResStringRec cxSFilterOperatorDoesNotBeginWith{IDS_cxSFilterOperatorDoesNotBeginWith};
const TResStringRec cxSFilterOperatorEndsWith{IDS_cxSFilterOperatorEndsWith};
const TResStringRec cxSFilterOperatorDoesNotEndWith{IDS_cxSFilterOperatorDoesNotEndWith};
const TResStringRec cxSFilterOperatorContains{IDS_cxSFilterOperatorContains};
const TResStringRec cxSFilterOperatorDoesNotContain{IDS_cxSFilterOperatorDoesNotContain};
const TResStringRec cxSFilterBoxAllCaption{IDS_cxSFilterBoxAllCaption};
const TResStringRec cxSFilterBoxCustomCaption{IDS_cxSFilterBoxCustomCaption};
const TResStringRec cxSFilterBoxBlanksCaption{IDS_cxSFilterBoxBlanksCaption};
const TResStringRec cxSFilterBoxNonBlanksCaption{IDS_cxSFilterBoxNonBlanksCaption};

namespace {
constexpr TdxResStringEntry Entries[] = {
  {"cxSFilterOperatorEqual", &cxSFilterOperatorEqual},
  {"cxSFilterOperatorNotEqual", &cxSFilterOperatorNotEqual},
  {"cxSFilterOperatorLess", &cxSFilterOperatorLess},
  {"cxSFilterOperatorLessEqual", &cxSFilterOperatorLessEqual},
  {"cxSFilterOperatorGreater", &cxSFilterOperatorGreater},
  {"cxSFilterOperatorGreaterEqual", &cxSFilterOperatorGreaterEqual},
  {"cxSFilterOperatorLike", &cxSFilterOperatorLike},
  {"cxSFilterOperatorNotLike", &cxSFilterOperatorNotLike},
  {"cxSFilterOperatorBetween", &cxSFilterOperatorBetween},
  {"cxSFilterOperatorNotBetween", &cxSFilterOperatorNotBetween},
  {"cxSFilterOperatorInList", &cxSFilterOperatorInList},
  {"cxSFilterOperatorNotInList", &cxSFilterOperatorNotInList},
  {"cxSFilterOperatorYesterday", &cxSFilterOperatorYesterday},
  {"cxSFilterOperatorToday", &cxSFilterOperatorToday},
  {"cxSFilterOperatorTomorrow", &cxSFilterOperatorTomorrow},
  {"cxSFilterOperatorLast7Days", &cxSFilterOperatorLast7Days},
  {"cxSFilterOperatorLastWeek", &cxSFilterOperatorLastWeek},
  {"cxSFilterOperatorLast14Days", &cxSFilterOperatorLast14Days},
  {"cxSFilterOperatorLastTwoWeeks", &cxSFilterOperatorLastTwoWeeks},
  {"cxSFilterOperatorLast30Days", &cxSFilterOperatorLast30Days},
  {"cxSFilterOperatorLastMonth", &cxSFilterOperatorLastMonth},
  {"cxSFilterOperatorLastYear", &cxSFilterOperatorLastYear},
  {"cxSFilterOperatorPast", &cxSFilterOperatorPast},
  {"cxSFilterOperatorThisWeek", &cxSFilterOperatorThisWeek},
  {"cxSFilterOperatorThisMonth", &cxSFilterOperatorThisMonth},
  {"cxSFilterOperatorThisYear", &cxSFilterOperatorThisYear},
  {"cxSFilterOperatorNext7Days", &cxSFilterOperatorNext7Days},
  {"cxSFilterOperatorNextWeek", &cxSFilterOperatorNextWeek},
  {"cxSFilterOperatorNext14Days", &cxSFilterOperatorNext14Days},
  {"cxSFilterOperatorNextTwoWeeks", &cxSFilterOperatorNextTwoWeeks},
  {"cxSFilterOperatorNext30Days", &cxSFilterOperatorNext30Days},
  {"cxSFilterOperatorNextMonth", &cxSFilterOperatorNextMonth},
  {"cxSFilterOperatorNextYear", &cxSFilterOperatorNextYear},
  {"cxSFilterOperatorFuture", &cxSFilterOperatorFuture},
  {"cxSFilterAndCaption", &cxSFilterAndCaption},
  {"cxSFilterOrCaption", &cxSFilterOrCaption},
  {"cxSFilterNotCaption", &cxSFilterNotCaption},
  {"cxSFilterBlankCaption", &cxSFilterBlankCaption},
  {"cxSFilterOperatorIsNull", &cxSFilterOperatorIsNull},
  {"cxSFilterOperatorIsNotNull", &cxSFilterOperatorIsNotNull},
  {"cxSFilterOperatorBeginsWith", &cxSFilterOperatorBeginsWith},
  {"cxSFilterOperatorDoesNotBeginWith", &cxSFilterOperatorDoesNotBeginWith},
  {"cxSFilterOperatorEndsWith", &cxSFilterOperatorEndsWith},
  {"cxSFilterOperatorDoesNotEndWith", &cxSFilterOperatorDoesNotEndWith},
  {"cxSFilterOperatorContains", &cxSFilterOperatorContains},
  {"cxSFilterOperatorDoesNotContain", &cxSFilterOperatorDoesNotContain},
  {"cxSFilterBoxAllCaption", &cxSFilterBoxAllCaption},
  {"cxSFilterBoxCustomCaption", &cxSFilterBoxCustomCaption},
  {"cxSFilterBoxBlanksCaption", &cxSFilterBoxBlanksCaption},
  {"cxSFilterBoxNonBlanksCaption", &cxSFilterBoxNonBlanksCaption},
};

constexpr char ProductName[] = "ZidavudEruvOdivod";
const TUnit* const Uses[] = {&UnitdxCore};

void AddResStrings(TdxProductResourceStrings* product) { AddResStringEntries(product, Entries); }
}  // namespace

TUnit UnitcxFilterConsts{"cxFilterConsts", Uses, RegisterStringsProduct<ProductName, AddResStrings>,
                         UnregisterStringsProduct<ProductName>};
