// The host model's launcher, active window, help and clock.
#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {

const std::vector<StartedProgram>& started_programs() {
  const auto lock = host::lock_world();
  return world().started;
}

void on_start(std::function<void(const std::string&)> hook) {
  const auto lock = host::lock_world();
  world().start_hook = std::move(hook);
}

void set_active_window(platform::Window window) {
  const auto lock = host::lock_world();
  world().active_window = window;
}
const std::vector<HelpRequest>& help_requests() {
  const auto lock = host::lock_world();
  return world().help;
}
long clock_ms() {
  const auto lock = host::lock_world();
  return world().clock;
}
void on_sleep(std::function<void(long)> hook) {
  const auto lock = host::lock_world();
  world().sleep_hook = std::move(hook);
}

}  // namespace host

namespace platform {

// What WinExec answers for a program it started.
constexpr unsigned kStarted = 33;

// The help keyword command, whose data is a text.
constexpr unsigned kHelpKey = 0x0101;

unsigned start_program(const char* command_line) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  const std::string line(view_of(command_line));
  w.started.push_back(
      {line, w.clipboard.block ? std::optional(host::clipboard_text()) : std::nullopt});
  if (w.start_hook) w.start_hook(line);
  return kStarted;
}

Window active_window() {
  const auto lock = host::lock_world();
  return host::world().active_window;
}

void open_help(Window owner, const char* help_file, unsigned command, std::uintptr_t data) {
  const auto lock = host::lock_world();
  std::string keyword;
  if (command == kHelpKey && data != 0) keyword = reinterpret_cast<const char*>(data);
  host::world().help.push_back({owner, std::string(view_of(help_file)), command, data, keyword});
}

void sleep_ms(unsigned milliseconds) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.sleeps;
  w.clock += milliseconds;
  host::count_sleep_for_closing();
  host::count_sleep_for_prompts();
  // A copy runs, so that the hook may replace itself.
  if (const auto hook = w.sleep_hook) hook(w.clock);
}

// The model has no messages sent between threads: both sleeps are one.
void sleep_answering_sent(unsigned milliseconds) { sleep_ms(milliseconds); }

}  // namespace platform
}  // namespace dremoxa7
