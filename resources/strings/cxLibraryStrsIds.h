#pragma once
// String-table identifiers of the toolkit's library strings, shared by the resource script and the
// code. The toolkit base library uses the identifiers 20000 to 20099.
#define IDS_CX_LIBRARY_FIRST 20000
#define IDS_scxCantCreateRegistryKey 20000
#define IDS_scxCantOpenRegistryKey 20001
#define IDS_scxErrorStoreObject 20002
#define IDS_scxConverterCantCreateStyleRepository 20003
#define IDS_scxLockedStateText 20004
#define IDS_cxSDateToday 20005
#define IDS_cxSDateYesterday 20006
#define IDS_cxSDateTomorrow 20007
#define IDS_cxSDateSunday 20008
#define IDS_cxSDateMonday 20009
#define IDS_cxSDateTuesday 20010
#define IDS_cxSDateWednesday 20011
#define IDS_cxSDateThursday 20012
#define IDS_cxSDateFriday 20013
#define IDS_cxSDateSaturday 20014
#define IDS_cxSDateFirst 20015
#define IDS_cxSDateSecond 20016
#define IDS_cxSDateThird 20017
#define IDS_cxSDateFourth 20018
#define IDS_cxSDateFifth 20019
#define IDS_cxSDateSixth 20020
#define IDS_cxSDateSeventh 20021
#define IDS_cxSDateBOM 20022
#define IDS_cxSDateEOM 20023
#define IDS_cxSDateNow 20024
