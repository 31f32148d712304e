#include "fixture_process.h"

#include <charconv>

#include "library.h"
#include "log_file.h"
#include "wait.h"

namespace e2e {
namespace {

// A fresh Wine process can take seconds to start, the first one much more.
constexpr DWORD kStartTimeoutMs = 60000;

std::string ready_file_path() {
  static int sequence = 0;
  char directory[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, directory);
  return std::string(directory, n <= MAX_PATH ? n : 0) + "dremoxa7-fixture-" +
         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++sequence) + ".ready";
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The windows a ready file lists, one "handle title" line each; none while
// the file cannot be read.
std::vector<HWND> read_windows(const std::string& path) {
  std::vector<HWND> windows;
  for (const std::string& line : log_file_lines(path)) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    unsigned long long value = 0;
    std::from_chars(line.data(), line.data() + blank, value, 16);
    windows.push_back(reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)));
  }
  return windows;
}

}  // namespace

std::string quote_argument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes double only before a quote.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

FixtureProcess::FixtureProcess(const std::vector<std::string>& options) {
  const std::string ready_path = ready_file_path();
  DeleteFileA(ready_path.c_str());
  std::string command_line = quote_argument(program_directory() + "fixture_tool.exe");
  for (const std::string& option : options) {
    command_line += ' ';
    command_line += quote_argument(option);
  }
  command_line += " --ready ";
  command_line += quote_argument(ready_path);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<char> writable(command_line.begin(), command_line.end());
  writable.push_back('\0');
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    error_ = "CreateProcessA failed, error " + std::to_string(GetLastError()) + ": " + command_line;
    return;
  }
  process_.reset(info.hProcess);
  const dremoxa7::UniqueHandle thread(info.hThread);
  wait_for_ready_file(ready_path);
  DeleteFileA(ready_path.c_str());
}

bool FixtureProcess::wait_for_ready_file(const std::string& path) {
  // The tool renames the whole file into place, but the rename holds the
  // file open with delete access for a moment after, and the C runtime's
  // open, which does not share delete access, fails in that moment (seen
  // under load as an empty list). So the file counts only once it has been
  // read, with at least one window in it.
  bool exited = false;
  wait_until(
      [&] {
        exited = WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
        windows_ = read_windows(path);
        return exited || !windows_.empty();
      },
      kStartTimeoutMs);
  if (windows_.empty()) {
    error_ = !file_exists(path) && exited
                 ? "fixture_tool.exe ended before its windows were ready (without a display "
                   "Wine opens no windows: run under xvfb-run, e.g. tools/with-wine)"
             : file_exists(path) ? "fixture_tool.exe reported no windows"
                                 : "fixture_tool.exe did not report its windows in time";
    return false;
  }
  return true;
}

FixtureProcess::~FixtureProcess() { end(); }

void FixtureProcess::end() {
  if (!process_) return;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), kDefaultWaitMs);
  process_.reset();
  wait_until([&] {
    for (const HWND window : windows_) {
      if (IsWindow(window)) return false;
    }
    return true;
  });
}

HWND FixtureProcess::window(std::size_t index) const {
  return index < windows_.size() ? windows_[index] : nullptr;
}

}  // namespace e2e
