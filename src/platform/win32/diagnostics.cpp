// The environment, debug output, the clock and the ids the trace names.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {

std::size_t environment_variable(const char* name, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  buffer[0] = '\0';
  const DWORD n = GetEnvironmentVariableA(name, buffer, static_cast<DWORD>(capacity));
  // A value that does not fit comes back as the size it needs, terminator
  // included, and the buffer is left as it was.
  if (n >= capacity) {
    buffer[0] = '\0';
    return n - 1;
  }
  return n;
}

void debug_output(const char* text) { OutputDebugStringA(text); }

std::uint64_t tick_ms() { return GetTickCount64(); }

std::uint32_t process_id() { return GetCurrentProcessId(); }

std::uint32_t thread_id() { return GetCurrentThreadId(); }

}  // namespace dremoxa7::platform
