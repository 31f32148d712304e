#include "lifecycle/start_check.h"

#include <charconv>
#include <string_view>

#include "base/text.h"
#include "frame/executable_name.h"
#include "frame/module_path.h"
#include "frame/state.h"
#include "frame/strings.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "frame/work_file.h"
#include "launch/activate_or_start.h"
#include "launch/command_line.h"
#include "launch/executable_path.h"
#include "launch/handoff.h"
#include "platform/platform.h"
#include "windows/activation.h"
#include "windows/function_table.h"
#include "windows/function_windows.h"

namespace dremoxa7::lifecycle {
namespace {

// The suite's main tool: function 0, started as executable 0.
constexpr int kMainFunction = 0;
constexpr std::int16_t kMainExecutable = 0;

// Function 3 of the version named by string 112 starts on its own while the
// work file stands: it neither hands over nor loses the file.
constexpr int kSelfStartingFunction = 3;

constexpr char kStartGateName[] = "Local\\dremoxa7 start check";
// As long as the system's start waits for a windowed program to be ready.
constexpr unsigned kStartGateWaitMs = 30'000;

// The longest text "%d" gives a 16-bit number: "-32768".
constexpr std::size_t kExeNumberDigits = 6;
constexpr std::string_view kHandoffTail = "1,TARVELONIK";

// Every field as long as its buffer, for a suite library that fills one
// without a terminator, still fits the clipboard block whole.
constexpr std::size_t kLongestHandoff = suite::kVersionLongCapacity + 1 + suite::kExeNameCapacity +
                                        1 + kExeNumberDigits + 1 + kHandoffTail.size();
static_assert(kLongestHandoff < launch::kHandoffBlockSize);
using StartHandoff = Text<kLongestHandoff + 1>;

// So does the path of executable 0 in the library's directory, in quotes on
// its command line.
static_assert(ModuleDirectory::capacity + suite::kExeNameCapacity + 4 <=
              launch::ExecutablePath::capacity);
static_assert(launch::ExecutablePath::capacity + 2 <= launch::CommandLine::capacity);

struct VersionFields {
  char field1[suite::kVersionLongCapacity] = {};
  char field2[suite::kVersionShortCapacity] = {};
  char field3[suite::kVersionShortCapacity] = {};
  char field4[suite::kVersionLongCapacity] = {};
};

// Version field 1, the name of executable 0 and the asking tool's
// executable number, then "1" and "TARVELONIK", joined by commas.
StartHandoff start_handoff(std::string_view version, std::string_view main_name,
                           std::int16_t number) {
  char digits[kExeNumberDigits];
  const std::to_chars_result converted = std::to_chars(digits, digits + sizeof digits, number);
  StartHandoff text(version);
  text.append(",");
  text.append(main_name);
  text.append(",");
  text.append({digits, converted.ptr});
  text.append(",");
  text.append(kHandoffTail);
  return text;
}

// How taking the start gate went, and how long it took.
void trace_gate(platform::GateEntry entry, std::uint64_t begun_ms) {
  if (!trace::on()) return;
  const char* how = entry == platform::GateEntry::taken ? "taken after"
                    : entry == platform::GateEntry::abandoned
                        ? "taken, abandoned by its holder, after"
                        : "not taken: going on alone after";
  trace::line("start gate", how, platform::tick_ms() - begun_ms, "ms");
}

void bring_to_front(platform::Window window, std::int16_t& quit) {
  windows::activate(window);
  quit = 1;
}

// Some tool of group 0 runs: the main tool takes the start over unless it
// runs alone beside a work file; else the work file's start hold or the
// asking tool's own running window decide.
Result when_group_runs(const windows::GroupWindows& group, std::int16_t function,
                       const WorkFilePath& work_path, bool work_present, std::int16_t& quit) {
  const platform::Window main = group.windows[kMainFunction];
  if (main != nullptr && (group.count > 1 || !work_present)) {
    trace::line("function 0 takes the start over");
    bring_to_front(main, quit);
    return kOk;
  }
  WorkBlock block;
  if (const Result result = read_work_block(work_path, block); result != kOk) return result;
  if (start_hold(block)) {
    trace::line("start hold set: the tool ends");
    quit = 1;
    return kOk;
  }
  if (const platform::Window own = group.windows[function]; own != nullptr) {
    trace::line("function", function, "runs already: it takes the start over");
    bring_to_front(own, quit);
    return kOk;
  }
  trace::line("no start hold, function", function, "not running: the tool goes on");
  return kOk;
}

// No tool of group 0 runs: executable 0 starts in the asking tool's place
// and learns from the clipboard which executable was asked for.
Result start_main_executable(std::int16_t series, std::int16_t function,
                             const WorkFilePath& work_path, bool work_present, std::int16_t& quit) {
  VersionFields version;
  Result result =
      GetZorVerFileInfo(series, version.field1, version.field2, version.field3, version.field4);
  if (result != kOk) {
    trace::line("GetZorVerFileInfo of series", series, "failed with", result);
    return result;
  }

  if (work_present) {
    if (function == kSelfStartingFunction && bounded_view(version.field3, sizeof version.field3) ==
                                                 strings::load(strings::kStartHoldVersion).view()) {
      trace::line("function 3 of version",
                  trace::quoted(bounded_view(version.field3, sizeof version.field3)),
                  "starts beside the work file: the tool goes on");
      return kOk;
    }
    delete_work_file(work_path);
  }

  ExecutableName main_name;
  result = executable_name(kMainExecutable, main_name);
  if (result != kOk) return result;
  // A name that cannot be started safely (a double quote would split the
  // command line) starts nothing: the asking tool goes on by itself.
  const auto path =
      launch::executable_path(module_state().module_directory.view(), main_name.view());
  if (!path) return kNoExecutable;

  std::int16_t number = 0;
  result = GetZorExeNo(function, &number);
  if (result != kOk) {
    trace::line("GetZorExeNo of function", function, "failed with", result);
    return result;
  }

  // A field that fills its buffer may end inside a character: only whole
  // characters are handed over.
  const CodePage& code_page = module_state().code_page;
  const StartHandoff handoff =
      start_handoff(code_page.whole(bounded_view(version.field1, sizeof version.field1)),
                    code_page.whole(main_name.view()), number);
  launch::activate_or_start(nullptr, *path, {}, handoff.view());
  quit = 1;
  return kOk;
}

}  // namespace

Result start_check(std::int16_t series, std::int16_t function, std::int16_t& quit) {
  quit = 0;
  if (!windows::valid_series(series) || !windows::valid_function(function)) return kOutOfRange;

  // Tools started at the same moment (a double click, a launcher, a script)
  // decide one after the other, so that the later ones find executable 0
  // once the first has started it, instead of each starting its own. The
  // gate is held until the start has returned: the system's start waits
  // until a windowed program is ready for input, and so has its window. A
  // holder that hangs keeps no tool from starting for longer than the
  // bound; the check then goes on as it would alone.
  const std::uint64_t begun_ms = trace::on() ? platform::tick_ms() : 0;
  const platform::SessionGate gate(kStartGateName, kStartGateWaitMs);
  trace_gate(gate.entry(), begun_ms);

  const WorkFilePath work_path = work_file_path(module_state().module_directory);
  const bool work_present = work_file_present(work_path);

  windows::GroupWindows group;
  if (const Result result = windows::find_group_windows(series, 0, group); result != kOk) {
    return result;
  }
  if (group.count != 0) return when_group_runs(group, function, work_path, work_present, quit);
  return start_main_executable(series, function, work_path, work_present, quit);
}

}  // namespace dremoxa7::lifecycle
