# The public header declares exactly the exports of the export list, in the
# same order: a declaration added to one and not the other fails here.
# Usage: cmake -DHEADER=... -DLIST=... -P header_matches_list.cmake
cmake_minimum_required(VERSION 3.25)

file(READ ${HEADER} header)
string(REGEX MATCHALL "DREMOXA7_API ([A-Za-z0-9_]+)\\(" declared "${header}")
list(TRANSFORM declared REPLACE "DREMOXA7_API ([A-Za-z0-9_]+)\\(" "\\1")

file(READ ${LIST} list_text)
string(REGEX MATCHALL "DREMOXA7_EXPORT\\(([A-Za-z0-9_]+), [0-9]+," listed "${list_text}")
list(TRANSFORM listed REPLACE "DREMOXA7_EXPORT\\(([A-Za-z0-9_]+), [0-9]+," "\\1")

if(NOT declared STREQUAL listed)
  message(FATAL_ERROR "the header and the export list differ:\n"
                      "  header: ${declared}\n  list:   ${listed}")
endif()
list(LENGTH listed count)
message(STATUS "the header declares the ${count} exports of the list")
