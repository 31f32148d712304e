# Module-definition files are written with 32-bit stdcall names (Name@N).
# For i686 they are used as they are, with the linker or dlltool killing the
# @N in the exported names; x86_64 has no decoration, so the suffixes are
# stripped into a copy.
function(dremoxa7_arch_def input output_var)
  get_filename_component(name ${input} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(READ ${input} text)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    string(REGEX REPLACE "@[0-9]+" "" text "${text}")
  endif()
  file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  set(${output_var} ${output} PARENT_SCOPE)
endfunction()

# An import library that imports the plain names of the .def's library.
function(dremoxa7_import_library target def)
  dremoxa7_arch_def(${def} arch_def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} -k -d ${arch_def} -l ${lib}
    DEPENDS ${arch_def} VERBATIM)
  add_custom_target(${target}_implib DEPENDS ${lib})
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${lib})
  add_dependencies(${target} ${target}_implib)
endfunction()

# Links a DLL so that its exports carry the plain names of the .def.
function(dremoxa7_plain_exports target def)
  dremoxa7_arch_def(${def} arch_def)
  target_sources(${target} PRIVATE ${arch_def})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  endif()
endfunction()

# The import library shipped for tools, written after target links: the
# short import format, whose members only name the DLL and the export and
# leave the thunks to the tool's linker. Linkers that require safe exception
# handlers (MSVC's and lld-link's defaults on i686) accept it, and MinGW's
# ld reads it too. On i686 each member binds the header's stdcall symbol
# (_Name@N) to the plain export name. The target keeps the paths of the
# library and of the .def it came from for the install rules.
function(dremoxa7_short_import_library target def output)
  find_program(DREMOXA7_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
  dremoxa7_arch_def(${def} arch_def)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(machine i386)
  else()
    set(machine i386:x86-64)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${DREMOXA7_LLVM_DLLTOOL} -m ${machine} -k -d ${arch_def} -l ${output}
    BYPRODUCTS ${output} VERBATIM)
  set_target_properties(${target} PROPERTIES DREMOXA7_IMPORT_LIBRARY ${output}
                                             DREMOXA7_ARCH_DEF ${arch_def})
endfunction()
