// A tool that the library starts itself: a copy of the fixture tool under
// the tool's name, with the options it takes when started by the library
// (see fixture_tool.cpp) in its .args file. It logs the clipboard it finds
// and its command line, then opens one window. The owner closes whatever
// copy was started and removes the files again.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "library.h"
#include "wait.h"

namespace e2e {

class StartedTool {
 public:
  // directory ends in a backslash; name is the base name without ".exe".
  StartedTool(std::string directory, const std::string& name, std::string title)
      : directory_(std::move(directory)),
        executable_(directory_ + name + ".exe"),
        args_(directory_ + name + ".args"),
        log_(directory_ + name + ".log"),
        title_(std::move(title)) {
    CreateDirectoryA(directory_.c_str(), nullptr);
    DeleteFileA(log_.c_str());
    installed_ = CopyFileA((program_directory() + "fixture_tool.exe").c_str(), executable_.c_str(),
                           FALSE) != FALSE;
    std::ofstream(args_, std::ios::binary) << "--log\r\n"
                                           << log_ << "\r\n--log-command-line\r\n--window\r\n"
                                           << title_ << "\r\n";
  }
  StartedTool(const StartedTool&) = delete;
  StartedTool& operator=(const StartedTool&) = delete;
  ~StartedTool() {
    while (HWND window = FindWindowA(nullptr, title_.c_str())) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      if (!wait_until([&] { return !IsWindow(window); })) break;
    }
    // The process may hold its executable for a moment after its window.
    wait_until([&] { return DeleteFileA(executable_.c_str()) != FALSE; });
    DeleteFileA(args_.c_str());
    DeleteFileA(log_.c_str());
    RemoveDirectoryA(directory_.c_str());  // only when nothing else is left in it
  }

  bool installed() const { return installed_; }
  const std::string& executable() const { return executable_; }

  // The started copy's window, once it exists (bounded wait); null if none.
  HWND window(DWORD timeout_ms = kDefaultWaitMs) const {
    wait_until([&] { return FindWindowA(nullptr, title_.c_str()) != nullptr; }, timeout_ms);
    return FindWindowA(nullptr, title_.c_str());
  }

  // No copy starts within a moment: a start would have logged by then.
  bool stays_unstarted() const {
    return !wait_until([&] { return GetFileAttributesA(log_.c_str()) != INVALID_FILE_ATTRIBUTES; },
                       1500);
  }

  // The command line the first started copy logged; empty if none.
  std::string command_line() const {
    constexpr std::string_view kPrefix = "command-line ";
    for (const std::string& line : log()) {
      if (line.starts_with(kPrefix)) return line.substr(kPrefix.size());
    }
    return {};
  }

  // What the started copies logged, one entry per line.
  std::vector<std::string> log() const {
    std::ifstream file(log_, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < text.size();) {
      const std::size_t end = text.find("\r\n", begin);
      lines.push_back(text.substr(begin, end - begin));
      if (end == std::string::npos) break;
      begin = end + 2;
    }
    return lines;
  }

 private:
  std::string directory_;
  std::string executable_;
  std::string args_;
  std::string log_;
  std::string title_;
  bool installed_ = false;
};

}  // namespace e2e
