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

}  // namespace dremoxa7::platform
