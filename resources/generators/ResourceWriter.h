// A generator: the writer of one kind of binary resource file, made from sources that the shared
// reader has read and checked against the writer's grammar. The resource script names each file as
//   <NAME> <ResourceType> "<file>"
// so a new kind of resource (a custom resource type with a container format of its own) is one more
// writer, listed in Writers().
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "TextSource.h"

namespace generators {

struct TResourceWriter {
  std::string_view Kind;          // selects the writer on the command line
  std::string_view ResourceType;  // the resource script's type keyword (BITMAP, CURSOR) or a custom type's name
  std::string_view Extension;     // of the written files, with its dot
  TGrammar Grammar;               // what the sources may say besides size and colour
  // The file's bytes; faults that the grammar cannot see fail through source.Fail.
  std::vector<std::uint8_t> (*Write)(const TTextSource& source);
};

std::span<const TResourceWriter* const> Writers();
// The writer of <kind>, or nullptr.
const TResourceWriter* FindWriter(std::string_view kind);

}  // namespace generators
