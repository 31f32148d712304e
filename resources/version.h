/* Version of the library, shared by the version resource and the build. */
#define DREMOXA7_VERSION_MAJOR 7
#define DREMOXA7_VERSION_MINOR 0
#define DREMOXA7_VERSION_PATCH 0
#define DREMOXA7_VERSION_TEXT "7.0.0"
