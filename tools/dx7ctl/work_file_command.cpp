// work-file: what the work information file says, decoded by the library's
// own field code, without calling the DLL.
#include <fstream>
#include <iterator>

#include "frame/work_block.h"
#include "frame/work_file.h"
#include "session.h"
#include "system_text.h"

namespace dx7ctl {
namespace {

// Where the DLL looks for the file: beside itself.
std::string default_work_file(const Session& session) {
  const std::string dll =
      session.dll_path.empty() ? program_directory() + "dremoxa7.dll" : session.dll_path;
  const std::size_t slash = dll.find_last_of("\\/");
  const std::string directory = slash == std::string::npos ? "" : dll.substr(0, slash + 1);
  return directory + std::string(dremoxa7::kWorkFileName);
}

}  // namespace

void add_work_file_command(CLI::App& app, Session& session) {
  auto* command =
      app.add_subcommand("work-file",
                         "Decodes the work information file: P switch, CPU index, S switch, start "
                         "hold (reads the file itself; calls no export)");
  auto path = std::make_shared<std::string>();
  command->add_option("PATH", *path, "the file (default: zorwork.inf beside the DLL)");
  command->callback([&session, path] {
    const std::string file_path = path->empty() ? default_work_file(session) : *path;
    std::ifstream file(file_path, std::ios::binary);
    if (!file) {
      Report report("", DREMOXA7_NOT_FOUND);
      report.set("path", utf8_from_system(file_path));
      report.line(file_path + ": cannot be opened");
      session.report = report;
      return;
    }
    // As the library reads it: the first 570 bytes into zero-filled
    // storage, so that what a short file lacks counts as zero.
    dremoxa7::WorkBlock block{};
    file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    const auto bytes_read = static_cast<long long>(file.gcount());
    Report report("", DREMOXA7_OK);
    const std::string p_switch(dremoxa7::p_switch_text(block));
    report.set("path", utf8_from_system(file_path));
    report.set("bytes_read", bytes_read);
    report.set("p_switch", utf8_from_system(p_switch));
    report.set("cpu_index", dremoxa7::cpu_index(block));
    report.set("s_switch", dremoxa7::s_switch_value(block));
    report.set("start_hold", dremoxa7::start_hold(block));
    report.line("file:        " + file_path + " (" + std::to_string(bytes_read) + " of " +
                std::to_string(block.size()) + " bytes)");
    report.line("P switch:    \"" + p_switch + "\"");
    report.line("CPU index:   " + std::to_string(dremoxa7::cpu_index(block)));
    report.line("S switch:    " + std::to_string(dremoxa7::s_switch_value(block)));
    report.line(std::string("start hold:  ") + (dremoxa7::start_hold(block) ? "set" : "not set"));
    session.report = report;
  });
}

}  // namespace dx7ctl
