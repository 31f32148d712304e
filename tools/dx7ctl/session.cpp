#include "session.h"

#include <windows.h>

#include <cstdio>

namespace dx7ctl {

const Dll& Session::dll() {
  if (!dll_) {
    const std::string path = dll_path.empty() ? program_directory() + "dremoxa7.dll" : dll_path;
    // The library reads the variable while it loads, so it is set first.
    if (trace) trace_file_ = std::make_unique<TraceFile>();
    answerer_ = std::make_unique<MessageBoxAnswerer>();
    dll_ = std::make_unique<Dll>(path);
    // Programs that the call starts (executable 0, a jump's tool) would
    // inherit it and write into the file while it is read and deleted.
    if (trace) SetEnvironmentVariableA("DREMOXA7_TRACE", nullptr);
  }
  if (!dll_->loaded()) throw DllFailure(dll_->error());
  return *dll_;
}

std::vector<std::string> Session::message_boxes() const {
  return answerer_ ? answerer_->texts() : std::vector<std::string>();
}

void Session::print_trace() {
  // No DLL was loaded (a usage error, or work-file): nothing was called.
  if (!trace || !trace_file_) return;
  dll_.reset();
  if (!trace_file_->error().empty()) {
    std::fprintf(stderr, "dx7ctl: --trace: %s\n", trace_file_->error().c_str());
    return;
  }
  const std::string lines = trace_file_->lines();
  if (lines.empty()) {
    std::fprintf(stderr, "dx7ctl: --trace: the DLL wrote no trace (it may be too old to trace)\n");
    return;
  }
  std::fputs(lines.c_str(), stderr);
}

std::shared_ptr<short> add_short(CLI::App& command, const std::string& name,
                                 const std::string& description) {
  auto value = std::make_shared<short>(0);
  command.add_option(name, *value, description)
      ->required()
      ->check(CLI::Range(-32768, 32767).description("a 16-bit number"));
  return value;
}

}  // namespace dx7ctl
