#pragma once
// String-table identifiers of the data layer's strings, shared by the resource script and the code. The
// editor library uses the identifiers 22000 to 22499.
#define IDS_cxSDataReadError 22300
#define IDS_cxSDataWriteError 22301
#define IDS_cxSDataItemExistError 22302
#define IDS_cxSDataRecordIndexError 22303
#define IDS_cxSDataItemIndexError 22304
#define IDS_cxSDataProviderModeError 22305
#define IDS_cxSDataInvalidStreamFormat 22306
#define IDS_cxSDataRowIndexError 22307
#define IDS_cxSDataCustomDataSourceInvalidCompare 22308
#define IDS_cxSDBDetailFilterControllerNotFound 22309
#define IDS_cxSDBNotInGridMode 22310
#define IDS_cxSDBKeyFieldNotFound 22311
