#include "classlib/Graphics.h"

#include "classlib/Filer.h"
#include "classlib/ImageList.h"
#include "classlib/Msimg32.h"

namespace {
const TClass GraphicsClasses[] = {TBitmap::StaticClass(), TIcon::StaticClass(),  TPicture::StaticClass(),
                                  TFont::StaticClass(),   TBrush::StaticClass(), TPen::StaticClass(),
                                  TImageList::StaticClass()};

void InitGraphics()
{
  for (TClass c : GraphicsClasses) RegisterClass(c);
  RegisterIntegerConsts(TFont::StaticClass(), "Charset", IdentToCharset, CharsetToIdent);
}

void DoneGraphics()
{
  UnregisterIntegerConsts(TFont::StaticClass(), "Charset");
  for (TClass c : GraphicsClasses) UnRegisterClass(c);
  FreeMemoryContexts();
  UnloadMsimg32();
}
}  // namespace

TUnit GraphicsUnit{"Graphics", {}, InitGraphics, DoneGraphics};
