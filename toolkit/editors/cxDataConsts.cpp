#include "toolkit/editors/cxDataConsts.h"

#include "resources/strings/cxDataConstsIds.h"
#include "toolkit/base/dxCore.h"

const TResStringRec cxSDataReadError{IDS_cxSDataReadError};
const TResStringRec cxSDataWriteError{IDS_cxSDataWriteError};
const TResStringRec cxSDataItemExistError{IDS_cxSDataItemExistError};
const TResStringRec cxSDataRecordIndexError{IDS_cxSDataRecordIndexError};
const TResStringRec cxSDataItemIndexError{IDS_cxSDataItemIndexError};
const TResStringRec cxSDataProviderModeError{IDS_cxSDataProviderModeError};
const TResStringRec cxSDataInvalidStreamFormat{IDS_cxSDataInvalidStreamFormat};
const TResStringRec cxSDataRowIndexError{IDS_cxSDataRowIndexError};
const TResStringRec cxSDataCustomDataSourceInvalidCompare{IDS_cxSDataCustomDataSourceInvalidCompare};
const TResStringRec cxSDBDetailFilterControllerNotFound{IDS_cxSDBDetailFilterControllerNotFound};
const TResStringRec cxSDBNotInGridMode{IDS_cxSDBNotInGridMode};
const TResStringRec cxSDBKeyFieldNotFound{IDS_cxSDBKeyFieldNotFound};

namespace {
constexpr TdxResStringEntry Entries[] = {
  {"cxSDataReadError", &cxSDataReadError},
  {"cxSDataWriteError", &cxSDataWriteError},
  {"cxSDataItemExistError", &cxSDataItemExistError},
  {"cxSDataRecordIndexError", &cxSDataRecordIndexError},
  {"cxSDataItemIndexError", &cxSDataItemIndexError},
  {"cxSDataProviderModeError", &cxSDataProviderModeError},
  {"cxSDataInvalidStreamFormat", &cxSDataInvalidStreamFormat},
  {"cxSDataRowIndexError", &cxSDataRowIndexError},
  {"cxSDataCustomDataSourceInvalidCompare", &cxSDataCustomDataSourceInvalidCompare},
  {"cxSDBDetailFilterControllerNotFound", &cxSDBDetailFilterControllerNotFound},
  {"cxSDBNotInGridMode", &cxSDBNotInGridMode},
  {"cxSDBKeyFieldNotFound", &cxSDBKeyFieldNotFound},
};

constexpr char ProductName[] = "DedidurErurIzuzidarad";
const TUnit* const Uses[] = {&UnitdxCore};

void AddResStrings(TdxProductResourceStrings* product) { AddResStringEntries(product, Entries); }
}  // namespace

TUnit UnitcxDataConsts{"cxDataConsts", Uses, RegisterStringsProduct<ProductName, AddResStrings>,
                       UnregisterStringsProduct<ProductName>};
