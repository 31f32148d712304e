#include "console_run.h"

#include <windows.h>

#include <thread>

#include "base/win32_owners.h"
#include "fixture_process.h"
#include "wait.h"

namespace e2e {
namespace {

using dremoxa7::UniqueHandle;

struct Pipe {
  UniqueHandle read;
  UniqueHandle write;
};

Pipe inheritable_pipe() {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &attributes, 0)) return {};
  // Only the child's end is inherited.
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  return {UniqueHandle(read), UniqueHandle(write)};
}

// Reads until the writer's end is closed.
std::string read_all(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

}  // namespace

ConsoleRun run_console(const std::string& program, const std::vector<std::string>& arguments) {
  ConsoleRun run;
  // Standard input is at its end from the start, as for a script.
  Pipe in = inheritable_pipe();
  if (in.read) SetHandleInformation(in.read.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  in.write.reset();
  Pipe out = inheritable_pipe();
  Pipe err = inheritable_pipe();
  if (!in.read || !out.read || !err.read) {
    run.error = "CreatePipe failed";
    return run;
  }
  std::string command_line = quote_argument(program);
  for (const std::string& argument : arguments) command_line += " " + quote_argument(argument);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.read.get();
  startup.hStdOutput = out.write.get();
  startup.hStdError = err.write.get();
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &started)) {
    run.error =
        "CreateProcessA(" + command_line + ") failed, error " + std::to_string(GetLastError());
    return run;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  // The child holds its own copies now: the readers see the end when it ends.
  out.write.reset();
  err.write.reset();
  // Both outputs are read while the program runs, so that it never waits
  // on a full pipe; a program that does not end is ended, which closes them.
  std::thread out_reader([&] { run.out = read_all(out.read.get()); });
  std::thread err_reader([&] { run.err = read_all(err.read.get()); });
  const bool ended = WaitForSingleObject(process.get(), kDefaultWaitMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.get(), 1);
  out_reader.join();
  err_reader.join();
  if (!ended) {
    run.error = command_line + " did not end";
    return run;
  }
  // The C runtime writes a line end as CR LF to a pipe.
  for (std::string* text : {&run.out, &run.err}) std::erase(*text, '\r');
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  run.exit_status = static_cast<int>(code);
  return run;
}

}  // namespace e2e
