#pragma once
// An IStream over a class-library stream, for the platform functions that read and write through
// one (image lists, GDI+ pictures). Its methods are called by the platform, so no exception leaves
// them: failures answer an error code. A read from past the end, wherever a seek went, reads
// nothing.
#include "classlib/Streams.h"
#include "classlib/Win.h"
#include <objidl.h>

// A new adapter holding one reference, over a stream the caller keeps alive while the platform
// may use it, or over a stream it owns.
IStream* NewStreamAdapter(TStream& stream);
IStream* NewStreamAdapter(TOwned<TStream> stream);
