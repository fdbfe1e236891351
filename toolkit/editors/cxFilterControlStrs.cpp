#include "toolkit/editors/cxFilterControlStrs.h"

#include "resources/strings/cxFilterControlStrsIds.h"
#include "toolkit/base/dxCore.h"

const TResStringRec cxSFilterBoolOperatorAnd{IDS_cxSFilterBoolOperatorAnd};
const TResStringRec cxSFilterBoolOperatorOr{IDS_cxSFilterBoolOperatorOr};
const TResStringRec cxSFilterBoolOperatorNotAnd{IDS_cxSFilterBoolOperatorNotAnd};
const TResStringRec cxSFilterBoolOperatorNotOr{IDS_cxSFilterBoolOperatorNotOr};
const TResStringRec cxSFilterRootButtonCaption{IDS_cxSFilterRootButtonCaption};
const TResStringRec cxSFilterAddCondition{IDS_cxSFilterAddCondition};
const TResStringRec cxSFilterAddGroup{IDS_cxSFilterAddGroup};
const TResStringRec cxSFilterRemoveRow{IDS_cxSFilterRemoveRow};
const TResStringRec cxSFilterClearAll{IDS_cxSFilterClearAll};
const TResStringRec cxSFilterFooterAddCondition{IDS_cxSFilterFooterAddCondition};
const TResStringRec cxSFilterGroupCaption{IDS_cxSFilterGroupCaption};
const TResStringRec cxSFilterRootGroupCaption{IDS_cxSFilterRootGroupCaption};
const TResStringRec cxSFilterControlNullString{IDS_cxSFilterControlNullString};
const TResStringRec cxSFilterErrorBuilding{IDS_cxSFilterErrorBuilding};
const TResStringRec cxSFilterDialogCaption{IDS_cxSFilterDialogCaption};
const TResStringRec cxSFilterDialogInvalidValue{IDS_cxSFilterDialogInvalidValue};
const TResStringRec cxSFilterDialogUse{IDS_cxSFilterDialogUse};
const TResStringRec cxSFilterDialogSingleCharacter{IDS_cxSFilterDialogSingleCharacter};
const TResStringRec cxSFilterDialogCharactersSeries{IDS_cxSFilterDialogCharactersSeries};
const TResStringRec cxSFilterDialogOperationAnd{IDS_cxSFilterDialogOperationAnd};
const TResStringRec cxSFilterDialogOperationOr{IDS_cxSFilterDialogOperationOr};
const TResStringRec cxSFilterDialogRows{IDS_cxSFilterDialogRows};
const TResStringRec cxSFilterControlDialogCaption{IDS_cxSFilterControlDialogCaption};
const TResStringRec cxSFilterControlDialogNewFile{IDS_cxSFilterControlDialogNewFile};
const TResStringRec cxSFilterControlDialogOpenDialogCaption{IDS_cxSFilterControlDialogOpenDialogCaption};
const TResStringRec cxSFilterControlDialogSaveDialogCaption{IDS_cxSFilterControlDialogSaveDialogCaption};
const TResStringRec cxSFilterControlDialogActionSaveCaption{IDS_cxSFilterControlDialogActionSaveCaption};
const TResStringRec cxSFilterControlDialogActionSaveHint{IDS_cxSFilterControlDialogActionSaveHint};
const TResStringRec cxSFilterControlDialogActionOpenCaption{IDS_cxSFilterControlDialogActionOpenCaption};
const TResStringRec cxSFilterControlDialogActionOpenHint{IDS_cxSFilterControlDialogActionOpenHint};
const TResStringRec cxSFilterControlDialogActionApplyCaption{IDS_cxSFilterControlDialogActionApplyCaption};
const TResStringRec cxSFilterControlDialogActionOkCaption{IDS_cxSFilterControlDialogActionOkCaption};
const TResStringRec cxSFilterControlDialogActionCancelCaption{IDS_cxSFilterControlDialogActionCancelCaption};
const TResStringRec cxSFilterControlDialogFileExt{IDS_cxSFilterControlDialogFileExt};
const TResStringRec cxSFilterControlDialogFileFilter{IDS_cxSFilterControlDialogFileFilter};

namespace {
constexpr TdxResStringEntry Entries[] = {
  {"cxSFilterBoolOperatorAnd", &cxSFilterBoolOperatorAnd},
  {"cxSFilterBoolOperatorOr", &cxSFilterBoolOperatorOr},
  {"cxSFilterBoolOperatorNotAnd", &cxSFilterBoolOperatorNotAnd},
  {"cxSFilterBoolOperatorNotOr", &cxSFilterBoolOperatorNotOr},
  {"cxSFilterRootButtonCaption", &cxSFilterRootButtonCaption},
  {"cxSFilterAddCondition", &cxSFilterAddCondition},
  {"cxSFilterAddGroup", &cxSFilterAddGroup},
  {"cxSFilterRemoveRow", &cxSFilterRemoveRow},
  {"cxSFilterClearAll", &cxSFilterClearAll},
  {"cxSFilterFooterAddCondition", &cxSFilterFooterAddCondition},
  {"cxSFilterGroupCaption", &cxSFilterGroupCaption},
  {"cxSFilterRootGroupCaption", &cxSFilterRootGroupCaption},
  {"cxSFilterControlNullString", &cxSFilterControlNullString},
  {"cxSFilterErrorBuilding", &cxSFilterErrorBuilding},
  {"cxSFilterDialogCaption", &cxSFilterDialogCaption},
  {"cxSFilterDialogInvalidValue", &cxSFilterDialogInvalidValue},
  {"cxSFilterDialogUse", &cxSFilterDialogUse},
  {"cxSFilterDialogSingleCharacter", &cxSFilterDialogSingleCharacter},
  {"cxSFilterDialogCharactersSeries", &cxSFilterDialogCharactersSeries},
  {"cxSFilterDialogOperationAnd", &cxSFilterDialogOperationAnd},
  {"cxSFilterDialogOperationOr", &cxSFilterDialogOperationOr},
  {"cxSFilterDialogRows", &cxSFilterDialogRows},
  {"cxSFilterControlDialogCaption", &cxSFilterControlDialogCaption},
  {"cxSFilterControlDialogNewFile", &cxSFilterControlDialogNewFile},
  {"cxSFilterControlDialogOpenDialogCaption", &cxSFilterControlDialogOpenDialogCaption},
  {"cxSFilterControlDialogSaveDialogCaption", &cxSFilterControlDialogSaveDialogCaption},
  {"cxSFilterControlDialogActionSaveCaption", &cxSFilterControlDialogActionSaveCaption},
  {"cxSFilterControlDialogActionSaveHint", &cxSFilterControlDialogActionSaveHint},
  {"cxSFilterControlDialogActionOpenCaption", &cxSFilterControlDialogActionOpenCaption},
  {"cxSFilterControlDialogActionOpenHint", &cxSFilterControlDialogActionOpenHint},
  {"cxSFilterControlDialogActionApplyCaption", &cxSFilterControlDialogActionApplyCaption},
  {"cxSFilterControlDialogActionOkCaption", &cxSFilterControlDialogActionOkCaption},
  {"cxSFilterControlDialogActionCancelCaption", &cxSFilterControlDialogActionCancelCaption},
  {"cxSFilterControlDialogFileExt", &cxSFilterControlDialogFileExt},
  {"cxSFilterControlDialogFileFilter", &cxSFilterControlDialogFileFilter},
};

constexpr char ProductName[] = "KitFilterControl";
const TUnit* const Uses[] = {&UnitdxCore};

void AddResStrings(TdxProductResourceStrings* product) { AddResStringEntries(product, Entries); }
}  // namespace

TUnit UnitcxFilterControlStrs{"cxFilterControlStrs", Uses, RegisterStringsProduct<ProductName, AddResStrings>,
                              UnregisterStringsProduct<ProductName>};
