// dx7ctl.exe: a console tool over every export of dremoxa7.dll, for the
// people who support the suite and the developers of its tools. Each
// subcommand calls one export (or decodes one file) and prints what it
// answered: readable lines, or one JSON object with --json.
//
// Exit status: 0 when the export returned 0, 1 for any other result code,
// 2 for a usage error, 3 when the DLL is missing or lacks an export, 4 when
// dx7ctl itself failed. With --json every one of them prints one object.
#include <exception>
#include <string_view>

#include "session.h"

namespace {

using dx7ctl::Failure;
using dx7ctl::report_failure;

// --json as given on the command line, also when the rest of it cannot be
// parsed: the usage error must then come as JSON too.
bool asks_for_json(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "--json") return true;
  }
  return false;
}

int run(int argc, char** argv, dx7ctl::Session& session) {
  CLI::App app("dx7ctl: asks dremoxa7.dll what the suite's tools and projects look like", "dx7ctl");
  app.require_subcommand(1);
  // --json, --trace and --dll may also follow the subcommand.
  app.fallthrough();
  app.add_flag("--json", session.json, "print one JSON object instead of lines");
  app.add_flag("--trace", session.trace,
               "trace the call in the DLL and print the trace's lines on standard error "
               "after the answer");
  app.add_option("--dll", session.dll_path,
                 "the DLL to load (default: dremoxa7.dll beside dx7ctl); the suite libraries "
                 "beside it serve it");
  dx7ctl::add_window_commands(app, session);
  dx7ctl::add_launch_commands(app, session);
  dx7ctl::add_lifecycle_commands(app, session);
  dx7ctl::add_project_commands(app, session);
  dx7ctl::add_work_file_command(app, session);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    // A word that names no subcommand is left over: name it.
    const std::vector<std::string> left = app.remaining();
    if (app.get_subcommands().empty() && !left.empty()) {
      return report_failure(session.json, Failure::usage,
                            "unknown subcommand '" + left.front() + "'");
    }
    return report_failure(session.json, Failure::usage, error.what());
  } catch (const dx7ctl::DllFailure& failure) {
    return report_failure(session.json, Failure::dll, failure.what());
  }
  if (!session.report) return report_failure(session.json, Failure::usage, "nothing was asked");
  for (std::string& text : session.message_boxes()) session.report->message(std::move(text));
  session.report->print(session.json);
  session.print_trace();
  return session.report->exit_status();
}

}  // namespace

int main(int argc, char** argv) {
  const bool json = asks_for_json(argc, argv);
  // Nothing may end the program unanswered: whatever goes wrong is reported
  // like any other failure.
  try {
    dx7ctl::Session session;
    session.json = json;
    return run(argc, argv, session);
  } catch (const std::exception& failure) {
    return report_failure(json, Failure::internal, failure.what());
  } catch (...) {
    return report_failure(json, Failure::internal, "an unknown failure");
  }
}
