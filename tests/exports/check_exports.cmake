# Checks a built DLL's export and import tables with objdump -p:
#  - the file format is FORMAT (pei-i386 for the 32-bit build);
#  - the exported names are exactly the names of the .def's EXPORTS section,
#    with the stdcall @N suffixes removed, and nothing else;
#  - every imported DLL is a Windows system DLL or one of SUITE_IMPORTS
#    (comma-separated), so no MinGW runtime DLL is needed beside it.
# Usage: cmake -DOBJDUMP=... -DDLL=... -DDEF=... -DFORMAT=... \
#              [-DSUITE_IMPORTS=a.dll,b.dll] -P check_exports.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP DLL DEF FORMAT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

# Windows system DLLs a statically linked MinGW program may import.
set(system_imports
  kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  comdlg32.dll comctl32.dll version.dll shlwapi.dll winmm.dll ws2_32.dll ntdll.dll
  msvcrt.dll ucrtbase.dll)
string(REPLACE "," ";" suite_imports "${SUITE_IMPORTS}")
string(TOLOWER "${suite_imports}" suite_imports)

execute_process(COMMAND ${OBJDUMP} -p ${DLL}
  OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${dump_error}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

set(failures "")

string(REGEX MATCH "file format ([^ \n;]+)" _ "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL FORMAT)
  string(APPEND failures "file format is '${CMAKE_MATCH_1}', expected '${FORMAT}'\n")
endif()

# Expected exports: the .def's names.
include(${CMAKE_CURRENT_LIST_DIR}/def_names.cmake)
dremoxa7_def_names(${DEF} expected)
if(expected STREQUAL "")
  string(APPEND failures "${DEF} lists no exports\n")
endif()

# Exported names: the rows after "[Ordinal/Name Pointer] Table" up to the
# first line that is not a row.
set(exported "")
set(imports "")
set(in_names FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "\\[Ordinal/Name Pointer\\] Table")
    set(in_names TRUE)
  elseif(in_names AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] ([^ \t]+)$")
    list(APPEND exported ${CMAKE_MATCH_1})
  else()
    set(in_names FALSE)
  endif()
  if(line MATCHES "DLL Name: (.+)$")
    string(STRIP "${CMAKE_MATCH_1}" dll)
    list(APPEND imports ${dll})
  endif()
endforeach()

list(SORT expected)
list(SORT exported)
if(NOT exported STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${exported} "")
  set(extra ${exported})
  list(REMOVE_ITEM extra ${expected} "")
  string(APPEND failures "exported names differ from ${DEF}\n"
    "  missing: ${missing}\n  unexpected: ${extra}\n")
endif()

foreach(dll IN LISTS imports)
  string(TOLOWER "${dll}" lower)
  if(NOT lower IN_LIST system_imports AND NOT lower IN_LIST suite_imports)
    string(APPEND failures "imports ${dll}, which is neither a system nor a suite DLL\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${DLL}:\n${failures}")
endif()
list(LENGTH exported count)
message(STATUS "${DLL}: ${FORMAT}, ${count} exports as in ${DEF}; imports: ${imports}")
