// dx7ctl.exe: a console tool over every export of dremoxa7.dll, for the
// people who support the suite and the developers of its tools. Each
// subcommand calls one export (or decodes one file) and prints what it
// answered: readable lines, or one JSON object with --json.
//
// Exit status: 0 when the export returned 0, 1 for any other result code,
// 2 for a usage error, 3 when the DLL is missing or lacks an export.
#include <cstdio>

#include "session.h"

int main(int argc, char** argv) {
  dx7ctl::Session session;
  CLI::App app("dx7ctl: asks dremoxa7.dll what the suite's tools and projects look like", "dx7ctl");
  app.require_subcommand(1);
  // --json and --dll may also follow the subcommand.
  app.fallthrough();
  app.add_flag("--json", session.json, "print one JSON object instead of lines");
  app.add_option("--dll", session.dll_path,
                 "the DLL to load (default: dremoxa7.dll beside dx7ctl)");
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
      std::fprintf(stderr, "dx7ctl: unknown subcommand '%s'\n(see dx7ctl --help)\n",
                   left.front().c_str());
    } else {
      std::fprintf(stderr, "dx7ctl: %s\n(see dx7ctl --help)\n", error.what());
    }
    return 2;
  } catch (const dx7ctl::DllFailure& failure) {
    std::fprintf(stderr, "dx7ctl: %s\n", failure.what());
    return 3;
  }
  if (!session.report) return 2;
  session.report->print(session.json);
  return session.report->exit_status();
}
