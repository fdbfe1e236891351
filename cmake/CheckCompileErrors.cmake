# Run by ctest (the compile_errors test): code the class library must reject does not compile, and
# fails for the reason expected. Each probe is compiled with the class library's include directories;
# the compiler's messages must match the probe's pattern.
#
#   cmake -DCOMPILER=<c++> -DINCLUDES=<dir>|<dir>... -DPROBES=<folder> -P CheckCompileErrors.cmake

string(REPLACE "|" ";" dirs "${INCLUDES}")
set(flags -std=c++20 -fsyntax-only -DNOMINMAX -DSTRICT -DWINVER=0x0601 -D_WIN32_WINNT=0x0601)
foreach(dir IN LISTS dirs)
  list(APPEND flags "-I${dir}")
endforeach()

function(probe file pattern)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C "${COMPILER}" ${flags} "${PROBES}/${file}"
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(result EQUAL 0)
    message(SEND_ERROR "${file} compiles, but the class library must reject it")
  elseif(NOT errors MATCHES "${pattern}")
    message(SEND_ERROR "${file} fails to compile for another reason than expected (${pattern}):\n${errors}")
  else()
    message(STATUS "${file}: rejected as expected")
  endif()
endfunction()

probe(WrongParent.cpp "TProbe does not derive from TComponent")
probe(SkippedParent.cpp "TComponent is not the nearest class-library ancestor of TProbe")
probe(PlainDelete.cpp "operator delete.*is protected")
probe(UniquePtr.cpp "operator delete.*is protected")
probe(UpwardInclude.cpp "toolkit/base/cxClasses.h: No such file")
probe(ClassRefOutsideFamily.cpp "conversion from .TClassRef<TStringList>. to non-scalar type .TClassRef<TComponent>.")
probe(MetaClassChain.cpp "a class's TMeta must derive from its parent's TMeta")
