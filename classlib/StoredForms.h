#pragma once
// Stored forms embedded as RCDATA resources (cmake/StoredForms.cmake embeds every text form of a
// folder under its upper-case base name). A resource holds a text form or a binary stream
// ("TPF0"); either is read into an existing root component, whose children it creates.
#include <string_view>
#include "classlib/Component.h"
#include "classlib/Win.h"

// Reads the stored form resName of module (the executable when null) into instance. Returns false
// when the module has no such resource; errors of the form raise as the reader's do.
bool ReadComponentRes(std::string_view resName, TComponent* instance, HINSTANCE module = nullptr);
// Reads into instance the stored form named after its class, or else after the nearest ancestor
// class below rootAncestor that has one. Returns false when none has.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor, HINSTANCE module = nullptr);
