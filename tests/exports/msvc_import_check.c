/* A tool built for the MSVC ABI (clang --target=*-pc-windows-msvc) with no C
 * runtime, linked by lld-link against the shipped import library with the
 * linker's defaults, which on i686 demand safe exception handlers of every
 * object. Every export is declared as an MSVC tool imports it, from the
 * export list: on i686 the compiler decorates each name with the size of
 * its parameters, so the link also checks the list's byte counts. Under
 * Wine its entry point calls a few exports through the import table and
 * answers 0 when they answer as the header documents. */

typedef struct HWND__* DREMOXA7_WINDOW;

#define DREMOXA7_EXPORT(name, bytes, params) __declspec(dllimport) short __stdcall name params;
#include "exports.inc"
#undef DREMOXA7_EXPORT

/* 1 when every export's import table slot holds an address. Each one is
 * read through a volatile, so the linker must bind them all. */
static int all_bound(void) {
  const void* volatile address;
#define DREMOXA7_EXPORT(name, bytes, params) \
  address = (const void*)&name;              \
  if (address == 0) return 0;
#include "exports.inc"
#undef DREMOXA7_EXPORT
  return 1;
}

int start(void) {
  char title[350]; /* DREMOXA7_TITLE_CAPACITY */
  DREMOXA7_WINDOW window = (DREMOXA7_WINDOW)1;
  if (!all_bound()) return 1;
  title[0] = 'x';
  if (FindWinTitle(0, title, &window) != 0 || title[0] != '\0' || window != 0) return 2;
  if (SetActiveZorWin(0) != -2) return 3;       /* DREMOXA7_NOT_FOUND */
  if (StaBarCpuName(18, title) != -1) return 4; /* DREMOXA7_REFUSED */
  return 0;
}
