#include "toolkit/base/cxLibraryStrs.h"

#include "resources/strings/cxLibraryStrsIds.h"
#include "toolkit/base/dxCore.h"

const TResStringRec scxCantCreateRegistryKey{IDS_scxCantCreateRegistryKey};
const TResStringRec scxCantOpenRegistryKey{IDS_scxCantOpenRegistryKey};
const TResStringRec scxErrorStoreObject{IDS_scxErrorStoreObject};
const TResStringRec scxConverterCantCreateStyleRepository{IDS_scxConverterCantCreateStyleRepository};
const TResStringRec scxLockedStateText{IDS_scxLockedStateText};
const TResStringRec cxSDateToday{IDS_cxSDateToday};
const TResStringRec cxSDateYesterday{IDS_cxSDateYesterday};
const TResStringRec cxSDateTomorrow{IDS_cxSDateTomorrow};
const TResStringRec cxSDateSunday{IDS_cxSDateSunday};
const TResStringRec cxSDateMonday{IDS_cxSDateMonday};
const TResStringRec cxSDateTuesday{IDS_cxSDateTuesday};
const TResStringRec cxSDateWednesday{IDS_cxSDateWednesday};
const TResStringRec cxSDateThursday{IDS_cxSDateThursday};
const TResStringRec cxSDateFriday{IDS_cxSDateFriday};
const TResStringRec cxSDateSaturday{IDS_cxSDateSaturday};
const TResStringRec cxSDateFirst{IDS_cxSDateFirst};
const TResStringRec cxSDateSecond{IDS_cxSDateSecond};
const TResStringRec cxSDateThird{IDS_cxSDateThird};
const TResStringRec cxSDateFourth{IDS_cxSDateFourth};
const TResStringRec cxSDateFifth{IDS_cxSDateFifth};
const TResStringRec cxSDateSixth{IDS_cxSDateSixth};
const TResStringRec cxSDateSeventh{IDS_cxSDateSeventh};
const TResStringRec cxSDateBOM{IDS_cxSDateBOM};
const TResStringRec cxSDateEOM{IDS_cxSDateEOM};
const TResStringRec cxSDateNow{IDS_cxSDateNow};

namespace {
constexpr TdxResStringEntry Entries[] = {
  {"scxCantCreateRegistryKey", &scxCantCreateRegistryKey},
  {"scxCantOpenRegistryKey", &scxCantOpenRegistryKey},
  {"scxErrorStoreObject", &scxErrorStoreObject},
  {"scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository},
  {"scxLockedStateText", &scxLockedStateText},
  {"cxSDateToday", &cxSDateToday},
  {"cxSDateYesterday", &cxSDateYesterday},
  {"cxSDateTomorrow", &cxSDateTomorrow},
  {"cxSDateSunday", &cxSDateSunday},
  {"cxSDateMonday", &cxSDateMonday},
  {"cxSDateTuesday", &cxSDateTuesday},
  {"cxSDateWednesday", &cxSDateWednesday},
  {"cxSDateThursday", &cxSDateThursday},
  {"cxSDateFriday", &cxSDateFriday},
  {"cxSDateSaturday", &cxSDateSaturday},
  {"cxSDateFirst", &cxSDateFirst},
  {"cxSDateSecond", &cxSDateSecond},
  {"cxSDateThird", &cxSDateThird},
  {"cxSDateFourth", &cxSDateFourth},
  {"cxSDateFifth", &cxSDateFifth},
  {"cxSDateSixth", &cxSDateSixth},
  {"cxSDateSeventh", &cxSDateSeventh},
  {"cxSDateBOM", &cxSDateBOM},
  {"cxSDateEOM", &cxSDateEOM},
  {"cxSDateNow", &cxSDateNow},
};

constexpr char ProductName[] = "KitLibrary";
const TUnit* const Uses[] = {&UnitdxCore};
}  // namespace

void AddLibraryResString(TdxProductResourceStrings* product) { AddResStringEntries(product, Entries); }

TUnit UnitcxLibraryStrs{"cxLibraryStrs", Uses, RegisterStringsProduct<ProductName, AddLibraryResString>,
                        UnregisterStringsProduct<ProductName>};
