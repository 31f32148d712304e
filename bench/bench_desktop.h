// The desktop the window benchmarks share: the library started, the suite
// naming every function "Suite tool N -", and windows of other programs
// that no tool's prefix matches.
#pragma once

#include <string>

#include "dremoxa7.h"
#include "frame/module_app.h"
#include "platform/host/host_control.h"
#include "platform/platform.h"
#include "suite_fake.h"

namespace dremoxa7::bench {

inline void desktop_of(int other_windows) {
  host::reset();
  fake::reset_suite();
  host::load_library("C:\\Suite\\dremoxa7.dll");
  module_app().init_instance();
  for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
    fake::suite().titles[{0, f}] = "Suite tool " + std::to_string(f) + " -";
  }
  for (int i = 0; i < other_windows; ++i) {
    host::add_window("Unrelated window number " + std::to_string(i));
  }
}

// One enumeration that reads every title: the least any search over all
// windows can do. Returns the characters read.
inline long enumerate_reading_titles() {
  char title[DREMOXA7_TITLE_CAPACITY];
  long total = 0;
  platform::for_each_window([&](platform::Window window) {
    total += platform::window_title(window, title, sizeof title);
    return true;
  });
  return total;
}

}  // namespace dremoxa7::bench
