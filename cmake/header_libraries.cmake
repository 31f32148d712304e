# CLI11 and nlohmann-json, header-only libraries of the build machine, for
# dx7ctl and the tests that read its JSON. The MinGW compiler is given only
# their own folders, through links in one folder of the build tree, never
# the whole system include directory.
function(dremoxa7_header_libraries out_var)
  set(folder ${CMAKE_BINARY_DIR}/header_libraries)
  file(MAKE_DIRECTORY ${folder})
  foreach(library CLI nlohmann)
    if(NOT EXISTS /usr/include/${library})
      message(FATAL_ERROR "/usr/include/${library} is missing: install libcli11-dev and "
                          "nlohmann-json3-dev")
    endif()
    file(CREATE_LINK /usr/include/${library} ${folder}/${library} SYMBOLIC)
  endforeach()
  set(${out_var} ${folder} PARENT_SCOPE)
endfunction()
