// Program starts, help, the active window and sleeping.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {

void start_program(const char* command_line) { WinExec(command_line, SW_SHOWNORMAL); }

Window active_window() { return GetActiveWindow(); }

void open_help(Window owner, const char* help_file, unsigned command, std::uintptr_t data) {
  WinHelpA(static_cast<HWND>(owner), help_file, command, data);
}

void sleep_ms(unsigned milliseconds) { Sleep(milliseconds); }

namespace {

// Milliseconds of the performance counter: the tick count may move in steps
// of several milliseconds, which would cut a wait short.
long long counter_ms() {
  LARGE_INTEGER count;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  const long long f = frequency.QuadPart;
  return count.QuadPart / f * 1000 + count.QuadPart % f * 1000 / f;
}

}  // namespace

void sleep_answering_sent(unsigned milliseconds) {
  const long long end = counter_ms() + milliseconds;
  for (;;) {
    // Runs the window procedures of whatever was sent to this thread; the
    // posted messages stay queued for the caller's own message loop.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const long long now = counter_ms();
    if (now >= end) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
  }
}

}  // namespace dremoxa7::platform
