#include "console_run.h"

#include <windows.h>

#include "base/win32_owners.h"
#include "fixture_process.h"

namespace e2e {
namespace {

using dremoxa7::UniqueFile;
using dremoxa7::UniqueHandle;

// A program may take long to start where Wine itself runs emulated (32-bit
// Wine here starts a process in several seconds).
constexpr DWORD kConsoleRunWaitMs = 120000;

// A temporary file the child inherits as one of its standard handles. The
// outputs go to files, not pipes, so that nothing has to read them while the
// program runs: the program never waits on a full pipe, and the test runs
// no threads of its own (emulated 32-bit Wine is unreliable with several
// threads at once). The file goes when its last handle is closed.
UniqueFile inheritable_temporary_file() {
  char directory[MAX_PATH];
  char path[MAX_PATH];
  const DWORD length = GetTempPathA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory) return {};
  if (GetTempFileNameA(directory, "dxo", 0, path) == 0) return {};
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  return UniqueFile(CreateFileA(
      path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      &attributes, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

// Everything the child wrote, from the start of the file.
std::string read_all(HANDLE file) {
  std::string text;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

// Standard input at its end from the start, as for a script: the reading end
// of a pipe whose writing end is closed.
UniqueHandle ended_pipe() {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  HANDLE in_read = nullptr;
  HANDLE in_write = nullptr;
  if (!CreatePipe(&in_read, &in_write, &attributes, 0)) return {};
  UniqueHandle(in_write).reset();
  return UniqueHandle(in_read);
}

// Standard input from the null device, as "< NUL" gives it.
UniqueHandle null_device() {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  const HANDLE device = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &attributes, OPEN_EXISTING, 0, nullptr);
  return UniqueHandle(device == INVALID_HANDLE_VALUE ? nullptr : device);
}

}  // namespace

ConsoleRun run_console(const std::string& program, const std::vector<std::string>& arguments,
                       const ConsoleOptions& options) {
  ConsoleRun run;
  const UniqueHandle in = options.input_from_null_device ? null_device() : ended_pipe();
  if (!in) {
    run.error = "no standard input";
    return run;
  }
  const UniqueFile out = inheritable_temporary_file();
  const UniqueFile err = inheritable_temporary_file();
  if (!out || !err) {
    run.error = "no temporary file for the outputs";
    return run;
  }
  std::string command_line = quote_argument(program);
  for (const std::string& argument : arguments) {
    command_line += ' ';
    command_line += quote_argument(argument);
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = out.get();
  startup.hStdError = err.get();
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, options.directory.empty() ? nullptr : options.directory.c_str(),
                      &startup, &started)) {
    run.error =
        "CreateProcessA(" + command_line + ") failed, error " + std::to_string(GetLastError());
    return run;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  if (WaitForSingleObject(process.get(), kConsoleRunWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), kConsoleRunWaitMs);
    run.error = command_line + " did not end";
    return run;
  }
  run.out = read_all(out.get());
  run.err = read_all(err.get());
  // The C runtime writes a line end as CR LF to a file.
  for (std::string* text : {&run.out, &run.err}) std::erase(*text, '\r');
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  run.exit_status = static_cast<int>(code);
  return run;
}

}  // namespace e2e
