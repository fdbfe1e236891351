#pragma once
// String-table identifiers of the GDI+ binding, shared by the resource script and the code. The
// binding uses the identifiers 20200 to 20209, and 65489, the caption of the application's error
// boxes.
#define IDS_dxGdipInvalidOperation 20200
#define IDS_SApplicationError 65489
