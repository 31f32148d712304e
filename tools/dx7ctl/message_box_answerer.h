// The library's message boxes, answered by dx7ctl itself. The CPU name
// query shows one when its configuration file is missing or unreadable, and
// a console run would wait on it until someone clicked; dx7ctl notes the
// box's text, presses OK for the user and goes on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dx7ctl {

// Answers every message box of the thread that creates it, while it lives.
// One at a time per thread.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The texts of the boxes answered so far (system code page), in order.
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  static LRESULT CALLBACK after_window_procedure(int code, WPARAM wparam, LPARAM lparam);

  HHOOK hook_ = nullptr;
  std::vector<std::string> texts_;
};

}  // namespace dx7ctl
