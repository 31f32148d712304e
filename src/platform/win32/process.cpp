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

void sleep_answering_sent(unsigned milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    // Runs the window procedures of whatever was sent to this thread; the
    // posted messages stay queued for the caller's own message loop.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
  }
}

}  // namespace dremoxa7::platform
