// One dx7ctl run: the program's options, the DLL (loaded on first use) and
// the report of the subcommand that ran.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "dll.h"
#include "message_box_answerer.h"
#include "report.h"
#include "trace_file.h"

namespace dx7ctl {

// The DLL could not be loaded or lacks an export: exit status 3.
struct DllFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Session {
 public:
  // --dll PATH; empty: dremoxa7.dll beside this program.
  std::string dll_path;
  bool json = false;
  // --trace: the library traces this run's call into a file of dx7ctl's.
  bool trace = false;

  // The loaded DLL; throws DllFailure when it cannot be had.
  const Dll& dll();
  const Exports& exports() { return dll().exports(); }

  // What the subcommand answered.
  std::optional<Report> report;

  // The texts of the message boxes the DLL showed (and dx7ctl answered).
  std::vector<std::string> message_boxes() const;
  // With --trace: unloads the DLL, so that it lets go of the trace file, and
  // prints the file's lines on standard error.
  void print_trace();

 private:
  // Declared in this order so that the DLL goes first.
  std::unique_ptr<TraceFile> trace_file_;
  std::unique_ptr<MessageBoxAnswerer> answerer_;
  std::unique_ptr<Dll> dll_;
};

// A required 16-bit argument (series, function, group, mode, index, CPU
// type): numbers outside -32768..32767 are refused before any call. The
// value is shared with the subcommand's callback, which reads it once the
// command line is parsed.
std::shared_ptr<short> add_short(CLI::App& command, const std::string& name,
                                 const std::string& description);

// The subcommands, by what they ask of the DLL.
void add_window_commands(CLI::App& app, Session& session);
void add_launch_commands(CLI::App& app, Session& session);
void add_lifecycle_commands(CLI::App& app, Session& session);
void add_project_commands(CLI::App& app, Session& session);
void add_work_file_command(CLI::App& app, Session& session);

}  // namespace dx7ctl
