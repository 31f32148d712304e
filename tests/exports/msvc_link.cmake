# Builds msvc_import_check.c for the MSVC ABI with clang, links it with
# lld-link against the import library (no C runtime, the linker's default
# safe-exception-handler setting), checks that it imports every export by
# plain name, and with RUN set runs it (under EMULATOR) beside the DLL.
# Usage: cmake -DCLANG=... -DLLD_LINK=... -DTRIPLE=... -DSOURCE=... \
#   -DINCLUDE=... -DLIBRARY=... -DOUTPUT=... -DOBJDUMP=... -DDEF=... \
#   [-DRUN=1 -DEMULATOR=wine] -P msvc_link.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var CLANG LLD_LINK TRIPLE SOURCE INCLUDE LIBRARY OUTPUT OBJDUMP DEF)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${ARGN}\n${out}")
  endif()
endfunction()

get_filename_component(name ${OUTPUT} NAME_WE)
get_filename_component(directory ${OUTPUT} DIRECTORY)
set(object ${directory}/${name}.obj)
run("compiling for ${TRIPLE}" ${CLANG} --target=${TRIPLE} -O1 -ffreestanding -I${INCLUDE}
    -c ${SOURCE} -o ${object})
run("lld-link" ${LLD_LINK} /nologo /nodefaultlib /entry:start /subsystem:console
    /out:${OUTPUT} ${object} ${LIBRARY})
run("the import table check" ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DPROGRAM=${OUTPUT}
    -DDEF=${DEF} -DDLL_NAME=dremoxa7.dll -P ${CMAKE_CURRENT_LIST_DIR}/check_imports.cmake)
if(RUN)
  run("running ${OUTPUT}" ${EMULATOR} ${OUTPUT})
endif()
message(STATUS "${OUTPUT}: linked by lld-link for ${TRIPLE}, every export imported by plain name")
