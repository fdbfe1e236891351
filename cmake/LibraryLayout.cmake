# How the project's libraries see each other's headers, and their precompiled headers.
#
# Include roots: every header is included by its path from the top of the source tree
# ("classlib/Object.h", "toolkit/base/cxGraphics.h"). A library does not get the top of the tree as
# its include directory: it gets a root of its own in the build tree that holds only its own
# folder (a symbolic link to it), and it sees the folders of the libraries it links through their
# roots. So a header of a layer above it (the class library including the toolkit, the toolkit
# including the application) is not found and does not compile.
#
#   add_include_root(<target> <folder> [PRIVATE])   folder relative to the top, e.g. toolkit/base
function(add_include_root target folder)
  set(scope PUBLIC)
  if(ARGV2 STREQUAL "PRIVATE")
    set(scope PRIVATE)
  endif()
  set(root "${CMAKE_BINARY_DIR}/include-roots/${target}")
  set(link "${root}/${folder}")
  if(NOT IS_SYMLINK "${link}")
    get_filename_component(parent "${link}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${link}" SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} "${root}")
endfunction()

# Precompiled headers: the Windows headers, the standard headers and the class library's core,
# compiled once for the class library and reused by every library and executable built with the
# same flags; the test executables share one that adds the test framework.
set(PROJECT_PRECOMPILED_HEADERS
  <algorithm> <array> <atomic> <cstdint> <cstring> <functional> <map> <memory> <optional> <span>
  <string> <string_view> <type_traits> <utility> <vector>
  <classlib/Win.h> <commctrl.h> <classlib/Object.h> <classlib/Component.h> <classlib/Controls.h>
  <classlib/Canvas.h>)

function(use_project_precompiled_headers target)
  target_precompile_headers(${target} REUSE_FROM classlib)
endfunction()
