#include "lifecycle/close_all.h"

#include <cstdint>
#include <string_view>

#include "base/text.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "windows/activation.h"
#include "windows/function_table.h"
#include "windows/function_windows.h"
#include "windows/title_search.h"

namespace dremoxa7::lifecycle {
namespace {

using windows::kFunctionCount;

// The tool that closes on a message of its own instead of the close message.
constexpr int kQuitMessageFunction = 3;
constexpr char kQuitMessageName[] = "Sfc Quit Message";
// The tool whose title is put together from the work 1 information.
constexpr int kComposedTitleFunction = 11;
// The tool that is asked only after all the others have gone.
constexpr int kLastFunction = 32;

constexpr std::int16_t kWork1Selector = 2;

// "<display text> - <short package name>", both whole, also when the suite
// library fills either buffer without a terminator.
using ComposedTitle = Text<suite::kWork1TextCapacity + 3 + suite::kShortPacNameCapacity + 1>;

// The programs asked to close in this run. One holds many windows at once:
// several tools' windows, a prompt or dialog it shows while it closes. A
// program is asked once: a second request would cancel its prompt and the
// user's answer with it.
class AskedPrograms {
 public:
  // False for a program asked already, and for any once the list is full:
  // waiting for a program that was not asked is better than asking one
  // again.
  bool may_ask(std::uint32_t process) const {
    if (count_ == kCapacity) return false;
    for (std::size_t i = 0; i < count_; ++i) {
      if (processes_[i] == process) return false;
    }
    return true;
  }
  void add(std::uint32_t process) {
    if (process != 0 && may_ask(process)) processes_[count_++] = process;
  }

 private:
  // Every member, and three times as many second instances and tools
  // started since.
  static constexpr std::size_t kCapacity = 4 * kFunctionCount;
  std::uint32_t processes_[kCapacity] = {};
  std::size_t count_ = 0;
};

struct CloseRun {
  std::int16_t series = 0;
  // The close flags: which functions this run closes.
  bool members[kFunctionCount] = {};
  ComposedTitle composed_title;
  AskedPrograms asked;
};

ComposedTitle compose_title(std::int16_t series, std::string_view display) {
  char name[suite::kShortPacNameCapacity] = {};
  // Without a short package name the title goes on without one, whatever
  // the suite library may have left in the buffer.
  const bool named = GetZorShortPacName(series, name) == kOk;
  ComposedTitle title(display);
  title.append(" - ");
  if (named) title.append(bounded_view(name, sizeof name));
  return title;
}

Result select_members(CloseRun& run, std::int16_t except_function) {
  std::int16_t work1_flag = 0;
  char path[suite::kWork1PathCapacity] = {};
  char text1[suite::kWork1TextCapacity] = {};
  char display[suite::kWork1TextCapacity] = {};
  char text3[suite::kWork1ShortCapacity] = {};
  const Result result = GetZorWork1Info(kWork1Selector, &work1_flag, path, text1, display, text3);
  if (result != kOk) {
    trace::line("GetZorWork1Info failed with", result);
    return result;
  }
  for (int function = 0; function < kFunctionCount; ++function) {
    if (windows::kFunctionTable[function].close_all != 1 || function == except_function) continue;
    if (function != kComposedTitleFunction) {
      run.members[function] = true;
    } else if (work1_flag == 1) {
      run.members[function] = true;
      run.composed_title = compose_title(run.series, bounded_view(display, sizeof display));
    }
  }
  if (trace::on()) {
    trace::Line line;
    line.add("close set");
    for (int function = 0; function < kFunctionCount; ++function) {
      if (run.members[function]) line.add(function);
    }
    if (run.members[kComposedTitleFunction]) {
      line.add("function 11 by", trace::quoted(run.composed_title.view()));
    }
    line.write();
  }
  return kOk;
}

// A window of the calling thread cannot close while this call holds the
// thread: it is never waited for.
bool of_calling_thread(platform::Window window) {
  return platform::window_owner(window).thread == platform::thread_id();
}

Result find_member(const CloseRun& run, int function, platform::Window& window,
                   windows::PassOver pass_over = nullptr) {
  if (function == kComposedTitleFunction) {
    window = windows::find_by_prefix(run.composed_title.c_str(), pass_over).window;
    return kOk;
  }
  return windows::find_function_window(windows::TitleCall::first_series, run.series,
                                       static_cast<std::int16_t>(function), window, pass_over);
}

// Brings the window to the front, which never waits for its tool (a hung
// tool holds up no one), and posts it the member's close request.
void ask(CloseRun& run, int function, platform::Window window) {
  run.asked.add(platform::window_owner(window).process);
  windows::activate(window);
  const bool quit_message = function == kQuitMessageFunction;
  const bool posted =
      platform::post_message(window, quit_message ? platform::register_message(kQuitMessageName)
                                                  : platform::kCloseMessage);
  trace::line("function", function, "asked:", quit_message ? "\"Sfc Quit Message\"" : "WM_CLOSE",
              posted ? "posted to" : "not posted: gone", trace::handle(window));
}

Result ask_member(CloseRun& run, int function) {
  platform::Window window = nullptr;
  const Result result = find_member(run, function, window);
  if (result == kOk && window != nullptr) ask(run, function, window);
  return result;
}

Result await_member(CloseRun& run, int function) {
  const std::uint64_t begun_ms = trace::on() ? platform::tick_ms() : 0;
  int polls = 0;
  for (;;) {
    platform::Window window = nullptr;
    const Result result = find_member(run, function, window, of_calling_thread);
    if (result != kOk || window == nullptr) {
      if (result == kOk && trace::on()) {
        const std::uint64_t waited_ms = platform::tick_ms() - begun_ms;
        if (polls == 0) {
          trace::line("function", function, "has no window to wait for");
        } else {
          trace::line("function", function, "gone after", waited_ms, "ms and", polls, "polls");
        }
      }
      return result;
    }
    ++polls;
    // A window of a program nobody asked (a second instance, or a tool
    // started since the members were asked) would never close by itself:
    // it is asked now. A program already asked is only waited for, whatever
    // window of it is found: its prompt, a dialog or another of its windows.
    const std::uint32_t process = platform::window_owner(window).process;
    if (process != 0 && run.asked.may_ask(process)) {
      ask(run, function, window);
    } else {
      trace::line("function", function, "waiting for", trace::handle(window), "of a program asked");
    }
    platform::sleep_answering_sent(kClosePollMs);
  }
}

}  // namespace

Result close_all(std::int16_t series, std::int16_t except_function) {
  if (!windows::valid_series(series) || !windows::valid_function(except_function)) {
    return kOutOfRange;
  }
  CloseRun run;
  run.series = series;
  Result result = select_members(run, except_function);
  // All are asked before any is awaited, so that they close side by side.
  for (int function = 0; function < kFunctionCount && result == kOk; ++function) {
    if (run.members[function] && function != kLastFunction) result = ask_member(run, function);
  }
  for (int function = 0; function < kFunctionCount && result == kOk; ++function) {
    if (run.members[function] && function != kLastFunction) result = await_member(run, function);
  }
  if (result != kOk) return result;

  platform::sleep_answering_sent(kClosePollMs);
  if (!run.members[kLastFunction]) return kOk;
  result = ask_member(run, kLastFunction);
  if (result != kOk) return result;
  return await_member(run, kLastFunction);
}

}  // namespace dremoxa7::lifecycle
