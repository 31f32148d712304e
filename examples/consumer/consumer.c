/* consumer TITLE: finds the first window whose title begins with TITLE and
 * prints the status-bar CPU name of CPU 0. */
#include <dremoxa7.h>
#include <stdio.h>

int main(int argc, char** argv) {
  char title[DREMOXA7_TITLE_CAPACITY];
  char cpu[DREMOXA7_CPU_TEXT_CAPACITY];
  DREMOXA7_WINDOW window;
  short result;

  if (argc != 2) {
    fputs("usage: consumer TITLE\n", stderr);
    return 2;
  }
  FindWinTitle(argv[1], title, &window);
  if (window == NULL) {
    printf("no window title begins with \"%s\"\n", argv[1]);
  } else {
    printf("window: %s\n", title);
  }
  result = StaBarCpuName(0, cpu);
  if (result != DREMOXA7_OK) {
    printf("StaBarCpuName failed: %d\n", result);
    return 1;
  }
  printf("status bar: [%s]\n", cpu);
  return 0;
}
