# add_glyph_strip(<target> <source>): see ResourceGenerators.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/ResourceGenerators.cmake)
