// known_answers.exe: a tool program that loads the library beside it and
// makes calls whose answers do not depend on the desktop or on any file, so
// that the end-to-end tests can run it with DREMOXA7_TRACE set as they like
// and read the trace it leaves.
//
//   known_answers calls     a search for a title no window has, a start
//                           check of series 16 and the CPU name of index
//                           99; prints their answers on one line:
//                           "find R WINDOW start-check R QUIT cpu-name R"
//   known_answers threads   four threads at once, each making 100 rounds of
//                           the search and the CPU name; prints "rounds N"
//                           with the rounds whose answers were right
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "base/win32_owners.h"
#include "library.h"

namespace {

constexpr const char* kNoSuchTitle = "No window has this title";
constexpr int kThreads = 4;
constexpr int kRounds = 100;

int calls(const e2e::Exports& dll) {
  char title[DREMOXA7_TITLE_CAPACITY] = "x";
  DREMOXA7_WINDOW window = reinterpret_cast<DREMOXA7_WINDOW>(0x5A5A);
  const short found = dll.FindWinTitle(kNoSuchTitle, title, &window);
  short quit = 7;
  const short started = dll.ZorStartCheck(16, 4, &quit);
  char cpu_text[DREMOXA7_CPU_TEXT_CAPACITY] = "";
  const short cpu = dll.StaBarCpuName(99, cpu_text);
  std::printf("find %d %s start-check %d %d cpu-name %d\n", found, window ? "window" : "null",
              started, quit, cpu);
  return 0;
}

struct Run {
  const e2e::Exports* dll;
  HANDLE go;
  std::atomic<int> right{0};
};

DWORD WINAPI rounds(void* context) {
  Run& run = *static_cast<Run*>(context);
  WaitForSingleObject(run.go, INFINITE);
  for (int i = 0; i < kRounds; ++i) {
    char title[DREMOXA7_TITLE_CAPACITY];
    DREMOXA7_WINDOW window;
    char cpu_text[DREMOXA7_CPU_TEXT_CAPACITY];
    if (run.dll->FindWinTitle(kNoSuchTitle, title, &window) == 0 && window == nullptr &&
        run.dll->StaBarCpuName(99, cpu_text) == -1) {
      ++run.right;
    }
  }
  return 0;
}

// The threads are the system's, released together by its event: MinGW's
// own thread waits can hang under Wine.
int threads(const e2e::Exports& dll) {
  const dremoxa7::UniqueHandle go(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  Run run{&dll, go.get()};
  dremoxa7::UniqueHandle handles[kThreads];
  HANDLE waits[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    handles[i].reset(CreateThread(nullptr, 0, rounds, &run, 0, nullptr));
    if (!handles[i]) return 3;
    waits[i] = handles[i].get();
  }
  SetEvent(go.get());
  WaitForMultipleObjects(kThreads, waits, TRUE, INFINITE);
  std::printf("rounds %d\n", run.right.load());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const e2e::Library& library = e2e::Library::get();
  if (!library.error().empty() || !library.missing().empty()) {
    std::fprintf(stderr, "%s%s\n", library.error().c_str(), library.missing().c_str());
    return 3;
  }
  if (argc == 2 && std::strcmp(argv[1], "calls") == 0) return calls(library.exports());
  if (argc == 2 && std::strcmp(argv[1], "threads") == 0) return threads(library.exports());
  std::fprintf(stderr, "usage: known_answers calls|threads\n");
  return 2;
}
