# Binary resources made at build time from readable text sources by the resource generator, the
# build host's program under resources/generators (its headers describe the source syntax). Each
# function adds a custom command that runs the generator when a source or the generator changes,
# writing one file per source and a resource script that embeds them; the script is compiled with
# the target's (or its dependents') resources. A fault in a source fails the build with a message
# naming the file and line.
#
# add_bitmap_resources(<target> <rc-name> <source>...): bitmaps (8 bits per pixel with a colour
#   table), each a BITMAP resource named after its source's base name (DXSUBMENUEXPAND.txt ->
#   DXSUBMENUEXPAND). The script reaches every executable that links <target>.
# add_cursor_resources(<target> <rc-name> <source>...): monochrome cursors, each findable by
#   LoadCursor under its source's base name (CX_DRAGCURSOR.txt -> "CX_DRAGCURSOR"). The script
#   reaches every executable that links <target>. The resource compiler numbers the cursor images
#   of one script from 1 on: no other script of an executable that links <target> may hold cursors.
# add_glyph_strip(<target> <source>): a strip of equally sized glyphs, a BITMAP resource (8 bits per
#   pixel with a colour table) named after the source's base name (FRMAIN_GLYPHS.txt ->
#   FRMAIN_GLYPHS), compiled into <target> itself.
# add_hebrew_year_table(<target> <rc-name> <source>): the Hebrew calendar's year table for the
#   source's range of years, worked out from the calendar's rules, an RCDATA resource named after the
#   source's base name (HEBREW_YEARS.txt -> HEBREW_YEARS). The script reaches every executable that
#   links <target>.
include_guard(GLOBAL)

# Adds, once per script, the command that makes the resource script <rc> and its files (in a folder
# named after the script) from the sources, with the generator's writer <kind>, whose files end in
# <extension>. A later call for the same script and sources reuses it.
function(_add_generated_resources kind extension rc)
  if(NOT TARGET resource_generator)
    message(FATAL_ERROR "${rc}: the resource generator is not defined yet: the top-level CMakeLists.txt "
                        "adds resources/generators before the folders that make resources")
  endif()
  get_target_property(program resource_generator PROGRAM)
  get_filename_component(stem "${rc}" NAME_WLE)
  get_filename_component(rc_dir "${rc}" DIRECTORY)
  set(folder "${rc_dir}/${stem}")
  set(sources "")
  set(outputs "")
  foreach(source IN LISTS ARGN)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(name "${source}" NAME_WLE)
    list(APPEND sources "${source}")
    list(APPEND outputs "${folder}/${name}${extension}")
  endforeach()

  get_property(known DIRECTORY PROPERTY "_generated_resources:${rc}" SET)
  if(known)
    get_property(known_sources DIRECTORY PROPERTY "_generated_resources:${rc}")
    if(NOT known_sources STREQUAL sources)
      message(FATAL_ERROR "${rc} is generated twice, from different sources")
    endif()
    return()
  endif()
  set_property(DIRECTORY PROPERTY "_generated_resources:${rc}" "${sources}")

  list(LENGTH sources count)
  get_filename_component(rc_name "${rc}" NAME)
  add_custom_command(
    OUTPUT "${rc}" ${outputs}
    COMMAND "${program}" ${kind} "${rc}" "${folder}" ${sources}
    DEPENDS ${sources} "${program}" resource_generator
    COMMENT "Generating ${rc_name} (${count} ${kind} source(s))"
    VERBATIM)
endfunction()

# Makes <rc> an interface source of <target>: every executable that links <target> compiles it.
# Those executables sit in other folders, so a custom target here carries the generating command.
function(_embed_in_dependents target rc)
  get_filename_component(stem "${rc}" NAME_WLE)
  add_custom_target(${target}_${stem} DEPENDS "${rc}")
  add_dependencies(${target} ${target}_${stem})
  target_sources(${target} INTERFACE "${rc}")
endfunction()

function(add_bitmap_resources target rc_name)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${rc_name}")
  _add_generated_resources(bitmap .bmp "${rc}" ${ARGN})
  _embed_in_dependents(${target} "${rc}")
endfunction()

function(add_cursor_resources target rc_name)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${rc_name}")
  _add_generated_resources(cursor .cur "${rc}" ${ARGN})
  _embed_in_dependents(${target} "${rc}")
endfunction()

function(add_glyph_strip target source)
  get_filename_component(name "${source}" NAME_WLE)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${name}.rc")
  _add_generated_resources(glyph-strip .bmp "${rc}" "${source}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()

function(add_hebrew_year_table target rc_name source)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${rc_name}")
  _add_generated_resources(hebrew-years .bin "${rc}" ${source})
  _embed_in_dependents(${target} "${rc}")
endfunction()
