# Cross build for 64-bit Windows, for machines that cannot run 32-bit code (see scripts/setup).
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
