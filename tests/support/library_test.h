// Base fixture of the host tests: a fresh platform model and suite fake,
// with the library started as a tool would load it.
#pragma once

#include <gtest/gtest.h>

#include "frame/module_app.h"
#include "platform/host/host_control.h"
#include "suite_fake.h"

namespace dremoxa7 {

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::reset();
    fake::reset_suite();
    host::load_library("C:\\Suite\\Bin\\dremoxa7.dll");
    module_app().init_instance();
  }

  // The library loaded again on a system of another code page (the model
  // starts with 1252).
  static void restart_with_code_page(unsigned code_page) {
    host::set_code_page(code_page);
    module_app().init_instance();
  }
};

}  // namespace dremoxa7
