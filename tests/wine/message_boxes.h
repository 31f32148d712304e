// The message boxes that library calls of this program show: seen,
// read and answered by a watcher, so that a call that shows one returns.
#pragma once

#include <windows.h>

#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "wait.h"

namespace e2e {

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  bool exclamation_icon = false;
  bool owned = false;
};

inline std::string window_text(HWND window) {
  char text[512] = {};
  const int n = GetWindowTextA(window, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

inline std::string class_name(HWND window) {
  char name[64] = {};
  const int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// A visible dialog of this process: message boxes have the dialog class.
inline BOOL CALLBACK find_own_dialog_step(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
      class_name(window) != "#32770") {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

inline HWND find_own_dialog() {
  HWND found = nullptr;
  EnumWindows(find_own_dialog_step, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The message text and the icon are static controls of the box.
inline BOOL CALLBACK read_static_control(HWND child, LPARAM seen_box) {
  auto& seen = *reinterpret_cast<MessageBoxSeen*>(seen_box);
  if (class_name(child) != "Static") return TRUE;
  const std::string text = window_text(child);
  if (!text.empty() && seen.text.empty()) seen.text = text;
  DWORD_PTR icon = 0;
  SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kDefaultWaitMs, &icon);
  if (icon != 0 && reinterpret_cast<HICON>(icon) == LoadIconA(nullptr, IDI_EXCLAMATION)) {
    seen.exclamation_icon = true;
  }
  return TRUE;
}

inline MessageBoxSeen read_message_box(HWND box) {
  MessageBoxSeen seen;
  seen.caption = window_text(box);
  seen.owned = GetWindow(box, GW_OWNER) != nullptr;
  EnumChildWindows(box, read_static_control, reinterpret_cast<LPARAM>(&seen));
  return seen;
}

// Watches, on a thread of its own, for the message boxes that a call on
// this thread shows, notes what each says and answers it with OK, until
// boxes() is asked for (once the call has returned: a box is modal, so
// none can still be open then).
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() : thread_([this](std::stop_token stop) { watch(stop); }) {}

  std::vector<MessageBoxSeen> boxes() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
    return boxes_;
  }

 private:
  void watch(const std::stop_token& stop) {
    while (!stop.stop_requested()) {
      const HWND box = find_own_dialog();
      if (box == nullptr) {
        Sleep(20);
        continue;
      }
      boxes_.push_back(read_message_box(box));
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      wait_until([&] { return !IsWindow(box); });
    }
  }

  std::vector<MessageBoxSeen> boxes_;
  std::jthread thread_;  // last: stopped and joined before boxes_ goes
};

}  // namespace e2e
