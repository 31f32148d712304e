// Program starts, help, the active window and sleeping.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {

unsigned start_program(const char* command_line) { return WinExec(command_line, SW_SHOWNORMAL); }

Window active_window() { return GetActiveWindow(); }

namespace {

// An engine that answers at all answers a null message at once.
constexpr UINT kHelpEngineAnswerMs = 500;

// WinHelpA hands the request to the window of the running help engine and
// waits until that window's thread has handled it: an engine that does not
// answer would hold the caller for as long as it hangs.
bool help_engine_answers() {
  const HWND engine = FindWindowA("MS_WINHELP", nullptr);
  if (engine == nullptr) return true;  // WinHelpA starts one
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(engine, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kHelpEngineAnswerMs, &answer) != 0;
}

}  // namespace

void open_help(Window owner, const char* help_file, unsigned command, std::uintptr_t data) {
  if (help_engine_answers()) WinHelpA(static_cast<HWND>(owner), help_file, command, data);
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
