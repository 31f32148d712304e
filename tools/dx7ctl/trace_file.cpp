#include "trace_file.h"

#include <windows.h>

#include "base/win32_owners.h"

namespace dx7ctl {
namespace {

// A trace of one call is a few dozen short lines; more than this is not read.
constexpr DWORD kMaxTraceBytes = 1024 * 1024;

}  // namespace

TraceFile::TraceFile() {
  char directory[MAX_PATH + 1] = {};
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, directory);
  if (n == 0 || n > MAX_PATH || GetTempFileNameA(directory, "dxt", 0, path) == 0) {
    error_ = "no temporary file for the trace (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  path_ = path;
  if (!SetEnvironmentVariableA("DREMOXA7_TRACE", path)) {
    error_ = "cannot set DREMOXA7_TRACE (error " + std::to_string(GetLastError()) + ")";
  }
}

TraceFile::~TraceFile() {
  if (!path_.empty()) DeleteFileA(path_.c_str());
}

std::string TraceFile::lines() const {
  std::string text;
  if (path_.empty()) return text;
  const dremoxa7::UniqueFile file(CreateFileA(
      path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return text;
  text.resize(kMaxTraceBytes);
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), kMaxTraceBytes, &got, nullptr)) got = 0;
  text.resize(got);
  // The library ends its lines with CR LF; the C runtime adds the CR again
  // when it writes to a console or a file.
  std::erase(text, '\r');
  return text;
}

}  // namespace dx7ctl
