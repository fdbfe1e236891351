# Runs the resource generator (-DGENERATOR=...) on faulty sources written under -DWORK=... and checks
# that each run fails, prints "<file><where>: error: <message>" and writes no resource script; a
# sound source is the control that the runs themselves work.
file(REMOVE_RECURSE "${WORK}")
set(passed 0)
set(failed 0)
set(case 0)

# Writes <text> to a fresh folder as <file> and runs <kind> on it; sets status, errors and dir.
macro(run_generator kind file text)
  math(EXPR case "${case} + 1")
  set(dir "${WORK}/${case}")
  file(WRITE "${dir}/${file}" "${text}")
  execute_process(COMMAND "${GENERATOR}" ${kind} "${dir}/out.rc" "${dir}/out" "${dir}/${file}"
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
endmacro()

macro(report ok what)
  if(${ok})
    math(EXPR passed "${passed} + 1")
  else()
    math(EXPR failed "${failed} + 1")
    message(SEND_ERROR "case ${case} (${what}): status ${status}, errors: ${errors}")
  endif()
endmacro()

function(expect_error kind file text expected)
  run_generator(${kind} ${file} "${text}")
  string(FIND "${errors}" "${dir}/${file}${expected}\n" at)
  set(ok FALSE)
  if(NOT status EQUAL 0 AND at GREATER -1 AND NOT EXISTS "${dir}/out.rc")
    set(ok TRUE)
  endif()
  report(ok "expected '${expected}'")
  set(case ${case} PARENT_SCOPE)
  set(passed ${passed} PARENT_SCOPE)
  set(failed ${failed} PARENT_SCOPE)
endfunction()

function(expect_success kind file text statement)
  run_generator(${kind} ${file} "${text}")
  set(ok FALSE)
  if(status EQUAL 0 AND EXISTS "${dir}/out.rc")
    file(READ "${dir}/out.rc" script)
    string(FIND "${script}" "${statement} \"${dir}/out/" at)
    if(at GREATER -1)
      set(ok TRUE)
    endif()
  endif()
  report(ok "a sound source")
  set(case ${case} PARENT_SCOPE)
  set(passed ${passed} PARENT_SCOPE)
  set(failed ${failed} PARENT_SCOPE)
endfunction()

expect_success(bitmap SOUND.txt [[
# a comment
size 3 2
colour a 000000
colour b FFFFFF
pixels
aba
bab
]] "SOUND BITMAP")

expect_error(bitmap UNDECLARED.txt [[
size 2 2
colour a 000000
pixels
aa
aQ
]] ":5: error: undeclared colour 'Q' in column 2")

expect_error(bitmap LENGTH.txt [[
size 2 2
colour a 000000
pixels
aa
aaa
]] ":5: error: row 2 of 'pixels' has 3 pixels instead of 2")

expect_error(bitmap SHORT.txt [[
size 2 3
colour a 000000
pixels
aa
aa
]] ":3: error: 'pixels' has 2 rows instead of 3 (the size's height)")

expect_error(bitmap NOSIZE.txt [[
colour a 000000
]] ": error: needs a 'size <width> <height>' line")

expect_error(bitmap TWICE.txt [[
size 1 1
colour a 000000
colour a FFFFFF
]] ":3: error: colour 'a' is declared twice (first at line 2)")

expect_error(bitmap HEX.txt [[
size 1 1
colour a 00GG00
]] ":2: error: the colour must be six hexadecimal digits RRGGBB, not '00GG00'")

expect_error(bitmap UNKNOWN.txt [[
size 1 1
colour a 000000
palette a
]] ":3: error: cannot read the line 'palette a'")

expect_error(bitmap lower_case.txt [[
size 1 1
]] ": error: the file name must be an upper-case identifier (A-Z, 0-9 and _, not starting with a digit): it names the resource")

expect_error(cursor PIXEL.txt [[
size 2 1
hotspot 0 0
pixels
.Q
]] ":4: error: unknown pixel 'Q' in column 2 (the pixels are the characters '.Xo~')")

expect_error(cursor HOTSPOT.txt [[
size 2 2
hotspot 0 2
pixels
..
..
]] ":2: error: 'hotspot': <y> must be a whole number from 0 to 1, not '2'")

expect_error(glyph-strip NODEFAULT.txt [[
size 1 1
count 2
colour a 000000
glyph 0
a
]] ": error: needs a 'glyph default' block: it stands for every glyph not drawn")

expect_error(glyph-strip GLYPHTWICE.txt [[
size 1 1
count 2
colour a 000000
glyph default
a
glyph 1
a
glyph 1
a
]] ":8: error: glyph 1 is drawn twice (first at line 6)")

# Data sources have neither a size nor colours.
expect_success(hebrew-years YEARS.txt [[
# two years
years 1583 1584
]] "YEARS RCDATA")

expect_error(hebrew-years EARLY.txt [[
years 1500 1584
]] ":1: error: 'years': <first> must be a whole number from 1583 to 9999, not '1500'")

expect_error(hebrew-years REVERSED.txt [[
years 2000 1999
]] ":1: error: 'years': <last> must be a whole number from 2000 to 9999, not '1999'")

expect_error(hebrew-years WITHSIZE.txt [[
size 1 1
years 2000 2001
]] ":1: error: cannot read the line 'size 1 1'")

message(STATUS "${passed} passed, ${failed} failed")
