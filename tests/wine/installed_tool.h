// A copy of the fixture tool installed where the library starts tools, for
// tests of what a started program does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "wait.h"

namespace e2e {

// What the installed tool does when it starts, in this order: the first
// options, logging the clipboard it finds, opening a window titled title
// (none when empty: the tool then ends at once), the last options.
struct ToolOptions {
  std::string title;
  std::vector<std::string> first;
  std::vector<std::string> last;
};

// DIRECTORY\NAME.exe, a copy of fixture_gui_tool.exe (a program of the
// graphical subsystem, as the suite's tools are), with its options in
// NAME.args beside it, which it reads when started without arguments (as
// the library starts it) or with arguments that are not its options (it
// then logs them). It logs to NAME.log beside it. The owner ends a tool it
// started and removes the log.
class InstalledTool {
 public:
  InstalledTool(const std::string& directory, const std::string& name, const ToolOptions& options);
  ~InstalledTool();
  InstalledTool(const InstalledTool&) = delete;
  InstalledTool& operator=(const InstalledTool&) = delete;

  // "" when the copy and its options file are in place, else why not.
  const std::string& error() const { return error_; }
  const std::string& log_path() const { return log_path_; }

  // The started tool's window, once it is open (bounded wait); null if none.
  HWND started_window(DWORD timeout_ms = kDefaultWaitMs) const;
  // The lines the tool has logged so far ("clipboard TEXT" first).
  std::vector<std::string> log_lines() const;
  bool has_run() const;

 private:
  std::string title_;
  std::string log_path_;
  std::string error_;
};

}  // namespace e2e
