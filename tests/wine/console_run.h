// Runs a console program to its end, as a support script would, and keeps
// what it printed.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ConsoleRun {
  int exit_status = -1;  // -1: it could not be started or did not end in time
  std::string out;
  std::string err;
  std::string error;  // why it could not be run, or ""
};

// How the program is started, where a test needs other than the default.
struct ConsoleOptions {
  // Standard input from the null device, instead of a pipe at its end.
  bool input_from_null_device = false;
  // The program's working directory; "" for this program's.
  std::string directory = {};
};

// Starts program (a path) with the arguments, each quoted as the C runtime
// reads them, with its standard input at its end; waits (bounded) for its
// end. What it printed comes with plain line ends.
ConsoleRun run_console(const std::string& program, const std::vector<std::string>& arguments,
                       const ConsoleOptions& options = {});

}  // namespace e2e
