#include "message_box_answerer.h"

#include <cstring>

namespace dx7ctl {
namespace {

// The answerer of this thread; the hook procedure has no other way to it.
thread_local MessageBoxAnswerer* current = nullptr;

bool is_dialog(HWND window) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

// A message box's text is its first static control with a text (the icon
// is a static control without one).
BOOL CALLBACK first_static_text(HWND child, LPARAM text) {
  char name[16] = {};
  if (GetClassNameA(child, name, sizeof name) == 0 || std::strcmp(name, "Static") != 0) {
    return TRUE;
  }
  char buffer[1024] = {};
  const int n = GetWindowTextA(child, buffer, sizeof buffer);
  if (n <= 0) return TRUE;
  reinterpret_cast<std::string*>(text)->assign(buffer, static_cast<std::size_t>(n));
  return FALSE;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
  current = this;
  hook_ =
      SetWindowsHookExA(WH_CALLWNDPROCRET, after_window_procedure, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  current = nullptr;
}

// Once a dialog of this thread has set itself up (its texts are in place),
// its text is noted and OK is pressed: the box's own message loop takes the
// press as soon as it runs, and the library's call goes on.
LRESULT CALLBACK MessageBoxAnswerer::after_window_procedure(int code, WPARAM wparam,
                                                            LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && current != nullptr && message->message == WM_INITDIALOG &&
      is_dialog(message->hwnd)) {
    std::string text;
    EnumChildWindows(message->hwnd, first_static_text, reinterpret_cast<LPARAM>(&text));
    try {
      current->texts_.push_back(std::move(text));
    } catch (...) {
      // Out of memory: the box is still answered, only its text is lost.
    }
    PostMessageA(message->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(message->hwnd, IDOK)));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace dx7ctl
