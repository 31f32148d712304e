#include "launch/activate_or_start.h"

#include "frame/trace.h"
#include "launch/command_line.h"
#include "launch/handoff.h"
#include "windows/activation.h"

namespace dremoxa7::launch {

void activate_or_start(platform::Window window, const ExecutablePath& path,
                       std::string_view switches, std::string_view handoff) {
  if (window != nullptr) {
    windows::activate(window);
    return;
  }
  const auto line = command_line(path.view(), switches);
  if (!line) {
    trace::line("command line too long to start", trace::quoted(path.view()));
    return;
  }
  if (!handoff.empty()) put_handoff_text(handoff);
  const unsigned answer = platform::start_program(line->c_str());
  if (trace::on()) {
    // WinExec answers above 31 once the program runs.
    constexpr unsigned kFirstStartedAnswer = 32;
    if (answer >= kFirstStartedAnswer) {
      trace::line("started", trace::quoted_whole(line->view()));
    } else {
      trace::line("start failed with", answer, trace::quoted_whole(line->view()));
    }
  }
}

}  // namespace dremoxa7::launch
