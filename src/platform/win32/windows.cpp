// Top-level windows through the Win32 window manager.
#include <windows.h>

#include <cstring>

#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

HWND to_hwnd(Window window) { return static_cast<HWND>(window); }

// The most characters of a title read at once; the library reads 349.
constexpr int kLongestTitleRead = 511;

struct Enumeration {
  WindowVisitor visit;
  void* context;
};

BOOL CALLBACK visit_window(HWND window, LPARAM parameter) {
  const auto* enumeration = reinterpret_cast<const Enumeration*>(parameter);
  return enumeration->visit(window, enumeration->context) ? TRUE : FALSE;
}

}  // namespace

void enumerate_windows(WindowVisitor visit, void* context) {
  Enumeration enumeration{visit, context};
  EnumWindows(visit_window, reinterpret_cast<LPARAM>(&enumeration));
}

int window_title(Window window, char* buffer, int capacity) {
  if (capacity <= 0) return 0;
  buffer[0] = '\0';
  // The title as the system keeps it. GetWindowTextA would ask a window of
  // this program for it with a message, and a window whose thread is busy
  // would then hold the caller until that thread answered.
  WCHAR wide[kLongestTitleRead + 1];
  const int read = capacity < kLongestTitleRead + 1 ? capacity : kLongestTitleRead + 1;
  const int characters = InternalGetWindowText(to_hwnd(window), wide, read);
  if (characters <= 0) return 0;
  // In the system code page, cut to the caller's count as GetWindowTextA
  // cuts it: on a whole character, so a cut inside a two-byte character
  // leaves one byte unused.
  char narrow[kLongestCharacter * (kLongestTitleRead + 1)];
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, characters, narrow,
                                        static_cast<int>(sizeof narrow), nullptr, nullptr);
  if (bytes <= 0) return 0;
  const int stored = bytes < capacity
                         ? bytes
                         : static_cast<int>(system_code_page()
                                                .cut({narrow, static_cast<std::size_t>(bytes)},
                                                     static_cast<std::size_t>(capacity - 1))
                                                .size());
  std::memcpy(buffer, narrow, static_cast<std::size_t>(stored));
  buffer[stored] = '\0';
  return stored;
}

Window last_active_popup(Window window) { return GetLastActivePopup(to_hwnd(window)); }

bool set_foreground(Window window) { return SetForegroundWindow(to_hwnd(window)) != FALSE; }

WindowOwner window_owner(Window window) {
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(to_hwnd(window), &process);
  if (thread == 0) return {};
  return {process, thread};
}

bool is_iconic(Window window) { return IsIconic(to_hwnd(window)) != FALSE; }

void restore_without_waiting(Window window) {
  // ShowWindow would wait until the window's thread handled the request,
  // and a hung tool would then hold the caller for as long as it hangs.
  ShowWindowAsync(to_hwnd(window), SW_SHOWNORMAL);
}

unsigned register_message(const char* name) { return RegisterWindowMessageA(name); }

bool post_message(Window window, unsigned message) {
  return PostMessageA(to_hwnd(window), message, 0, 0) != FALSE;
}

}  // namespace dremoxa7::platform
