#include "installed_tool.h"

#include <fstream>

#include "base/win32_owners.h"
#include "library.h"
#include "log_file.h"

namespace e2e {

InstalledTool::InstalledTool(const std::string& directory, const std::string& name,
                             const ToolOptions& options)
    : title_(options.title), log_path_(directory + name + ".log") {
  CreateDirectoryA(directory.c_str(), nullptr);
  DeleteFileA(log_path_.c_str());
  if (!CopyFileA((program_directory() + "fixture_gui_tool.exe").c_str(),
                 (directory + name + ".exe").c_str(), FALSE)) {
    error_ = "cannot copy fixture_gui_tool.exe to " + directory + name + ".exe";
    return;
  }
  std::ofstream args(directory + name + ".args", std::ios::binary | std::ios::trunc);
  for (const std::string& option : options.first) args << option << "\r\n";
  args << "--log\r\n" << log_path_ << "\r\n";
  if (!options.title.empty()) args << "--window\r\n" << options.title << "\r\n";
  for (const std::string& option : options.last) args << option << "\r\n";
  if (!args) error_ = "cannot write " + directory + name + ".args";
}

InstalledTool::~InstalledTool() {
  // A started tool may not answer a close: it is ended.
  if (HWND window = title_.empty() ? nullptr : FindWindowA(nullptr, title_.c_str())) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    const dremoxa7::UniqueHandle process(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id));
    if (process) {
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), kDefaultWaitMs);
    }
    wait_until([&] { return !IsWindow(window); });
  }
  DeleteFileA(log_path_.c_str());
}

HWND InstalledTool::started_window(DWORD timeout_ms) const {
  HWND window = nullptr;
  wait_until([&] { return (window = FindWindowA(nullptr, title_.c_str())) != nullptr; },
             timeout_ms);
  return window;
}

std::vector<std::string> InstalledTool::log_lines() const { return log_file_lines(log_path_); }

bool InstalledTool::has_run() const {
  return GetFileAttributesA(log_path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace e2e
