#include "classlib/Messages.h"

TMessageHandler TMessageMap::Find(UINT msg) const
{
  for (const TMessageMap* map = this; map; map = map->Parent)
    for (const TMessageMapEntry& e : map->Entries)
      if (e.Msg == msg) return e.Handler;
  return nullptr;
}
