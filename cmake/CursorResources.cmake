# add_cursor_resources(<target> <rc-name> <source>...): see ResourceGenerators.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/ResourceGenerators.cmake)
