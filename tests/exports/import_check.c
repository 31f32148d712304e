/* A tool written in C, linked with the import library: every export of the
 * header must bind to the DLL's plain names (on i686 the header's stdcall
 * names carry @N). Run under Wine, it calls a few exports through the
 * import table. */
#include <stdio.h>

#include "dremoxa7.h"

typedef void (*AnyExport)(void);

/* Every export's address, kept in a table the program exports itself, so
 * that the linker must bind each one. */
const AnyExport all_exports[] = {
#define DREMOXA7_EXPORT(name, bytes, params) (AnyExport) name,
#include "exports.inc"
#undef DREMOXA7_EXPORT
};

int main(void) {
  char title[DREMOXA7_TITLE_CAPACITY] = "x";
  DREMOXA7_WINDOW window = (DREMOXA7_WINDOW)1;
  size_t i;
  for (i = 0; i < sizeof all_exports / sizeof all_exports[0]; ++i) {
    if (all_exports[i] == NULL) return 1;
  }
  if (FindWinTitle(NULL, title, &window) != DREMOXA7_OK || title[0] != '\0' || window != NULL) {
    return 2;
  }
  if (SetActiveZorWin(NULL) != DREMOXA7_NOT_FOUND) return 3;
  if (StaBarCpuName(18, title) != DREMOXA7_REFUSED) return 4;
  puts("import library binds every export");
  return 0;
}
