#include "tests/toolkit/editors/EditControlTestSupport.h"

namespace edit_test {
CL_DEFINE_CLASS(TTestInnerEdit);
CL_DEFINE_CLASS(TInnerEditHelper);
CL_DEFINE_CLASS(THelpedInnerEdit);
CL_DEFINE_CLASS(THelpedEdit);
CL_DEFINE_CLASS(TTestEditProperties);
CL_DEFINE_CLASS(TTestEdit);
CL_DEFINE_CLASS(TOtherEditProperties);
CL_DEFINE_CLASS(TOtherEdit);
}  // namespace edit_test
