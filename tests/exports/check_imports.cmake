# Checks with objdump -p that a program imports from DLL_NAME exactly the
# export names of DEF (the .def's names without @N), each by plain name:
# neither a decorated name nor an ordinal. IMPORTED, when given, narrows the
# expected names to those the program calls (comma-separated).
# Usage: cmake -DOBJDUMP=... -DPROGRAM=... -DDEF=... -DDLL_NAME=dremoxa7.dll \
#              [-DIMPORTED=a,b] -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP PROGRAM DEF DLL_NAME)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/def_names.cmake)
dremoxa7_def_names(${DEF} expected)
if(expected STREQUAL "")
  message(FATAL_ERROR "${DEF} lists no exports")
endif()
if(DEFINED IMPORTED)
  string(REPLACE "," ";" imported "${IMPORTED}")
  foreach(name IN LISTS imported)
    if(NOT name IN_LIST expected)
      message(FATAL_ERROR "${name} is not an export of ${DEF}")
    endif()
  endforeach()
  set(expected ${imported})
endif()

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${dump_error}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

# The rows under "DLL Name: DLL_NAME", one per import: "vma  hint  name",
# up to the first line that is not a row. An import by ordinal has no name.
set(names "")
set(rows "")
set(in_dll FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(STRIP "${CMAKE_MATCH_1}" dll)
    string(TOLOWER "${dll}" dll)
    string(TOLOWER "${DLL_NAME}" wanted)
    set(in_dll FALSE)
    if(dll STREQUAL wanted)
      set(in_dll TRUE)
    endif()
  elseif(in_dll AND line MATCHES "Hint/Ord")
    continue()
  elseif(in_dll AND line MATCHES "^[ \t]*[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+(.*)$")
    string(STRIP "${CMAKE_MATCH_1}" name)
    list(APPEND names "${name}")
    string(APPEND rows "  ${line}\n")
  else()
    set(in_dll FALSE)
  endif()
endforeach()

list(SORT expected)
list(SORT names)
if(NOT names STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${names} "")
  set(extra ${names})
  list(REMOVE_ITEM extra ${expected} "")
  message(FATAL_ERROR "${PROGRAM} does not import the plain names of ${DEF} from ${DLL_NAME}\n"
    "  missing: ${missing}\n  unexpected: ${extra}\nimport rows:\n${rows}")
endif()
list(LENGTH names count)
message(STATUS "${PROGRAM}: ${count} plain-name imports from ${DLL_NAME}")
