#include "toolkit/editors/cxEditControl.h"

CL_DEFINE_CLASS(TcxCustomEdit);

TcxCustomEdit::TcxCustomEdit(TComponent* Owner, bool IsInplace) : TcxCustomEditContainer(Owner), FIsInplace(IsInplace)
{
}

void TcxCustomEdit::CacheContentOffsets(const TcxEditContentOffsetBlock& Block)
{
  FContentOffsetsCache = Block;
  FContentOffsetsCached = true;
}
