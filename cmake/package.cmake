# What a tool developer unpacks: the DLL, its import library and .def, the
# header, a CMake package and the usage notes of the README, and the
# command-line tool once the build has one. `cmake --install` lays it out;
# the `package` target zips it per architecture, named after the project
# version.
include(CMakePackageConfigHelpers)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DREMOXA7_ARCHIVE_PLATFORM win64)
else()
  set(DREMOXA7_ARCHIVE_PLATFORM win32)
endif()
set(DREMOXA7_ARCHIVE_NAME dremoxa7-${PROJECT_VERSION}-${DREMOXA7_ARCHIVE_PLATFORM})

# The DLL without the import library the linker wrote for it (that one binds
# undecorated names); the shipped one is made from the .def.
install(TARGETS dremoxa7 RUNTIME DESTINATION bin)
if(TARGET dx7ctl)
  install(TARGETS dx7ctl RUNTIME DESTINATION bin)
endif()
get_target_property(import_library dremoxa7 DREMOXA7_IMPORT_LIBRARY)
get_target_property(arch_def dremoxa7 DREMOXA7_ARCH_DEF)
install(FILES ${import_library} ${arch_def} DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/include/dremoxa7.h DESTINATION include)

# The package: the imported target dremoxa7::dremoxa7, for this
# architecture only (the version file compares pointer sizes).
set(package_dir ${PROJECT_BINARY_DIR}/package)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/dremoxa7Config.cmake.in
  ${package_dir}/dremoxa7Config.cmake INSTALL_DESTINATION lib/cmake/dremoxa7)
write_basic_package_version_file(${package_dir}/dremoxa7ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${package_dir}/dremoxa7Config.cmake ${package_dir}/dremoxa7ConfigVersion.cmake
  DESTINATION lib/cmake/dremoxa7)

# The README's "Using the DLL" section, up to the next section, as the
# archive's README.txt.
set(readme ${PROJECT_SOURCE_DIR}/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
file(READ ${readme} text)
string(FIND "${text}" "\n## Using the DLL\n" begin)
if(begin EQUAL -1)
  message(FATAL_ERROR "${readme} has no \"## Using the DLL\" section")
endif()
math(EXPR begin "${begin} + 1")
string(SUBSTRING "${text}" ${begin} -1 text)
string(FIND "${text}" "\n## " end)
string(SUBSTRING "${text}" 0 ${end} text)
string(STRIP "${text}" text)
file(CONFIGURE OUTPUT ${package_dir}/README.txt
  CONTENT "dremoxa7 ${PROJECT_VERSION} (${DREMOXA7_ARCHIVE_PLATFORM})\n\n${text}\n" @ONLY)
install(FILES ${package_dir}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dremoxa7)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${DREMOXA7_ARCHIVE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
