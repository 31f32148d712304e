// A running fixture_tool.exe with its windows, owned for a scope: the
// process is ended, waited for and its handles closed when the owner goes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/win32_owners.h"

namespace e2e {

class FixtureProcess {
 public:
  // Starts fixture_tool.exe (beside this program) with the options (see
  // fixture_tool.cpp) and waits, bounded, until all its windows exist.
  explicit FixtureProcess(const std::vector<std::string>& options);
  FixtureProcess(FixtureProcess&&) = default;
  FixtureProcess& operator=(FixtureProcess&&) = default;
  ~FixtureProcess();

  // True once the tool runs and has reported its windows; else error() says why.
  bool ready() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // The tool's windows in the order of its --window and --popup options.
  HWND window(std::size_t index) const;
  std::size_t window_count() const { return windows_.size(); }

  // Ends the process now and waits until its windows are gone.
  void end();

 private:
  bool wait_for_ready_file(const std::string& path);

  dremoxa7::UniqueHandle process_;
  std::vector<HWND> windows_;
  std::string error_;
};

// One command-line argument quoted for CreateProcess (the C runtime's rules).
std::string quote_argument(std::string_view argument);

}  // namespace e2e
