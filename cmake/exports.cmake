# The export list (resources/exports.inc) as CMake sees it: the names with
# their 32-bit argument bytes, and the .def file made from them.
set(DREMOXA7_EXPORTS_INC ${PROJECT_SOURCE_DIR}/resources/exports.inc)

# Sets out_var to the list "Name@N;..." in the order of the list.
function(dremoxa7_read_exports out_var)
  file(READ ${DREMOXA7_EXPORTS_INC} text)
  string(REGEX MATCHALL "DREMOXA7_EXPORT\\(([A-Za-z0-9_]+), ([0-9]+)," entries "${text}")
  set(result)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "DREMOXA7_EXPORT\\(([A-Za-z0-9_]+), ([0-9]+)," "\\1@\\2" item "${entry}")
    list(APPEND result ${item})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DREMOXA7_EXPORTS_INC})
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# Writes the library's .def (32-bit stdcall names, Name@N) into the build
# tree and sets out_var to its path.
function(dremoxa7_write_def out_var)
  dremoxa7_read_exports(exports)
  set(text "; Exports of dremoxa7.dll under their plain names. The @N suffixes are the\n")
  string(APPEND text "; 32-bit stdcall argument sizes; the build strips them from the exported names.\n")
  string(APPEND text "LIBRARY dremoxa7.dll\nEXPORTS\n")
  foreach(export IN LISTS exports)
    string(APPEND text "${export}\n")
  endforeach()
  set(def ${CMAKE_BINARY_DIR}/dremoxa7.def)
  file(CONFIGURE OUTPUT ${def} CONTENT "${text}" @ONLY)
  set(${out_var} ${def} PARENT_SCOPE)
endfunction()
