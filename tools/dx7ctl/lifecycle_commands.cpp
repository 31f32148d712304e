// start-check, close-all: the suite's start and end. Both change the
// desktop: start-check may start the suite's first executable or bring a
// tool to the front, close-all asks every tool of the suite to close.
#include <windows.h>

#include <cstdio>
#include <string>

#include "session.h"

namespace dx7ctl {
namespace {

void add_start_check(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "start-check",
      "Decides whether a tool may start; may start the suite's first executable or bring a "
      "running tool to the front (ZorStartCheck; changes the desktop)");
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  const auto function =
      add_short(*command, "FUNCTION", "function number of the starting tool (0..47)");
  command->callback([&session, series, function] {
    short quit = 0;
    const short result = session.exports().ZorStartCheck(*series, *function, &quit);
    Report report("ZorStartCheck", result);
    report.set("quit", quit);
    report.line(quit != 0 ? "quit: the start was taken care of elsewhere"
                          : "go on: the tool may start");
    session.report = report;
  });
}

// Only a console has a person at it: input from a file, a pipe or the null
// device (which the C runtime's terminal test takes for a terminal) has none.
bool input_is_console() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
}

// close-all acts on every tool of the suite: a person confirms it first. A
// script without a console gives --yes; it is never asked nor left waiting
// here. The question goes to the error output, so that the answer on the
// standard output stays as --json promises.
bool confirmed(short series, short except) {
  if (!input_is_console()) return false;
  std::fprintf(stderr, "Close every tool of series %d except function %d? [y/N] ", series, except);
  std::fflush(stderr);
  char answer[16] = {};
  if (std::fgets(answer, sizeof answer, stdin) == nullptr) return false;
  return answer[0] == 'y' || answer[0] == 'Y';
}

void add_close_all(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "close-all",
      "Asks every tool of the suite but EXCEPT to close and waits until they have gone "
      "(AllExeEnd; changes the desktop, asks for confirmation)");
  auto yes = std::make_shared<bool>(false);
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  const auto except =
      add_short(*command, "EXCEPT", "function number that stays (the caller's own)");
  command->add_flag("--yes", *yes, "do not ask for confirmation");
  command->callback([&session, series, except, yes] {
    const Exports& dll = session.exports();
    if (!*yes && !confirmed(*series, *except)) {
      throw CLI::ValidationError("close-all", "not confirmed (give --yes to skip the question)");
    }
    session.report = Report("AllExeEnd", dll.AllExeEnd(*series, *except));
  });
}

}  // namespace

void add_lifecycle_commands(CLI::App& app, Session& session) {
  add_start_check(app, session);
  add_close_all(app, session);
}

}  // namespace dx7ctl
