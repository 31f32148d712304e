# MinGW-w64 cross compilers (the -posix ones, whose C++ runtime has threads,
# as GoogleTest needs).
set(CMAKE_C_COMPILER ${DREMOXA7_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DREMOXA7_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DREMOXA7_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${DREMOXA7_MINGW_TRIPLE}-dlltool)
set(DREMOXA7_OBJDUMP ${DREMOXA7_MINGW_TRIPLE}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${DREMOXA7_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools run under Wine, through the loader of their own width (the
# `wine` command starts every program through the 32-bit loader first where
# that one is installed), on the display of the tree's Wine session.
if(DREMOXA7_MINGW_TRIPLE MATCHES "^x86_64")
  set(runner wine64-run)
else()
  # 32-bit Wine, emulated here.
  set(runner wine32-run)
endif()
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/${runner}
                       ABSOLUTE)
