// Shared pieces of the end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fixture_process.h"
#include "library.h"
#include "wait.h"

namespace e2e {

// A test that calls the library: it fails at once when the library did not
// load or an export is missing.
class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const Library& library = Library::get();
    ASSERT_EQ(library.error(), "");
    ASSERT_EQ(library.missing(), "") << "missing exports";
  }
  static const Exports& dll() { return Library::get().exports(); }
};

// An export called through a signature of the caller's choosing, e.g. one
// that fills a 16-bit argument's whole slot.
template <class Signature, class Export>
Signature as_signature(Export function) {
  return reinterpret_cast<Signature>(reinterpret_cast<void*>(function));
}

// A window handle that no call should leave behind.
inline HWND poison_window() { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x5A5A)); }

// The foreground window, once it has become want (bounded wait).
inline HWND foreground_becomes(HWND want) {
  wait_until([&] { return GetForegroundWindow() == want; });
  return GetForegroundWindow();
}

}  // namespace e2e
