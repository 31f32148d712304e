// windows, find, func, group, last, activate: which tools run, under which
// titles, and bringing one to the front.
#include <windows.h>

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "session.h"
#include "system_text.h"

namespace dx7ctl {
namespace {

struct TopLevelWindow {
  HWND handle;
  std::string title;
};

BOOL CALLBACK note_window(HWND window, LPARAM windows) {
  char title[DREMOXA7_TITLE_CAPACITY] = {};
  const int n = GetWindowTextA(window, title, sizeof title);
  reinterpret_cast<std::vector<TopLevelWindow>*>(windows)->push_back(
      {window, std::string(title, n > 0 ? static_cast<std::size_t>(n) : 0)});
  return TRUE;
}

std::vector<TopLevelWindow> top_level_windows() {
  std::vector<TopLevelWindow> windows;
  EnumWindows(note_window, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string window_line(const void* window, const std::string& title) {
  return handle_text(window) + "  " + title;
}

void add_windows(CLI::App& app, Session& session) {
  auto* command =
      app.add_subcommand("windows",
                         "Lists the top-level windows in Z-order, marking the tools the suite's "
                         "function titles recognise");
  auto series = std::make_shared<short>(0);
  auto second = std::make_shared<bool>(false);
  command->add_option("SERIES", *series, "series whose function titles mark the windows")
      ->check(CLI::Range(-32768, 32767).description("a 16-bit number"));
  command->add_flag("--second", *second, "use the second controller series' titles");
  command->callback([&session, series, second] {
    const Exports& dll = session.exports();
    const auto find = *second ? dll.QFindFuncWin : dll.FindFuncWin;
    // Each function's window, as the library finds it.
    std::map<HWND, std::vector<int>> functions;
    short result = DREMOXA7_OK;
    for (short function = 0; function < DREMOXA7_FUNCTION_COUNT; ++function) {
      DREMOXA7_WINDOW window = nullptr;
      const short code = find(*series, function, &window);
      if (code != DREMOXA7_OK && result == DREMOXA7_OK) result = code;
      if (window != nullptr) functions[window].push_back(function);
    }
    Report report(*second ? "QFindFuncWin" : "FindFuncWin", result);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TopLevelWindow& window : top_level_windows()) {
      const std::vector<int>& marks = functions[window.handle];
      std::string marked;
      for (int f : marks) marked += (marked.empty() ? "[function " : ",") + std::to_string(f);
      if (!marked.empty()) marked += "] ";
      report.line(handle_text(window.handle) + "  " + marked + window.title);
      list.push_back({{"window", handle_text(window.handle)},
                      {"title", utf8_from_system(window.title)},
                      {"functions", marks}});
    }
    report.set("windows", list);
    session.report = report;
  });
}

void add_find(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "find", "Finds the first top-level window whose title begins with TEXT (FindWinTitle)");
  auto text = std::make_shared<std::string>();
  auto part = std::make_shared<bool>(false);
  command->add_option("TEXT", *text, "the start of the title")->required();
  command->add_flag("--part", *part, "TEXT may stand anywhere in the title (FindWinTitleP)");
  command->callback([&session, text, part] {
    const Exports& dll = session.exports();
    char title[DREMOXA7_TITLE_CAPACITY] = {};
    DREMOXA7_WINDOW window = nullptr;
    const short result =
        (*part ? dll.FindWinTitleP : dll.FindWinTitle)(text->c_str(), title, &window);
    Report report(*part ? "FindWinTitleP" : "FindWinTitle", result);
    report.set("window", handle_text(window));
    report.set("title", utf8_from_system(title));
    report.line(window != nullptr ? window_line(window, title) : "no window found");
    session.report = report;
  });
}

void add_func(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "func", "Finds the running window of a tool by its function number (FindFuncWin)");
  auto second = std::make_shared<bool>(false);
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  const auto function = add_short(*command, "FUNCTION", "function number (0..47)");
  command->add_flag("--second", *second, "the second controller series (QFindFuncWin)");
  command->callback([&session, series, function, second] {
    const Exports& dll = session.exports();
    DREMOXA7_WINDOW window = nullptr;
    const short result =
        (*second ? dll.QFindFuncWin : dll.FindFuncWin)(*series, *function, &window);
    Report report(*second ? "QFindFuncWin" : "FindFuncWin", result);
    report.set("window", handle_text(window));
    report.line(window != nullptr ? "window " + handle_text(window) : "not running");
    session.report = report;
  });
}

void add_group(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "group", "Lists the running tools of group 0 or 1 by function number (FindZorWin)");
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  const auto group = add_short(*command, "GROUP", "group (0 or 1)");
  command->callback([&session, series, group] {
    DREMOXA7_WINDOW windows[DREMOXA7_FUNCTION_COUNT] = {};
    short count = 0;
    const short result = session.exports().FindZorWin(*series, *group, &count, windows);
    Report report("FindZorWin", result);
    report.set("count", count);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int function = 0; function < DREMOXA7_FUNCTION_COUNT; ++function) {
      if (windows[function] == nullptr) continue;
      list.push_back({{"function", function}, {"window", handle_text(windows[function])}});
      report.line("function " + std::to_string(function) + "  " + handle_text(windows[function]));
    }
    report.set("windows", list);
    report.line(std::to_string(count) + " running");
    session.report = report;
  });
}

void add_last(CLI::App& app, Session& session) {
  auto* command =
      app.add_subcommand("last", "Tells whether exactly one tool of group 1 runs (LastAppCheck)");
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  command->callback([&session, series] {
    short is_last = 0;
    const short result = session.exports().LastAppCheck(*series, &is_last);
    Report report("LastAppCheck", result);
    report.set("is_last", is_last);
    report.line(is_last != 0 ? "the last tool" : "not the last tool");
    session.report = report;
  });
}

// A window handle as given (hex with 0x, or decimal), or nothing when it
// does not fit this platform's handles: a wider value must not be cut to
// another window.
std::optional<std::uintptr_t> parse_handle(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* first = text.data() + (hex ? 2 : 0);
  const char* last = text.data() + text.size();
  std::uintptr_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

void add_activate(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "activate", "Brings a window (or its last active pop-up) to the front (SetActiveZorWin)");
  auto handle = std::make_shared<std::string>();
  command->add_option("HWND", *handle, "window handle, e.g. 0x1002a")
      ->required()
      ->check(CLI::Validator(
          [](const std::string& text) {
            return parse_handle(text) ? std::string()
                                      : "'" + text + "' is no window handle of this platform";
          },
          "a window handle"));
  command->callback([&session, handle] {
    const auto window = reinterpret_cast<DREMOXA7_WINDOW>(*parse_handle(*handle));
    const short result = session.exports().SetActiveZorWin(window);
    Report report("SetActiveZorWin", result);
    report.set("window", handle_text(window));
    report.line("window " + handle_text(window));
    session.report = report;
  });
}

}  // namespace

void add_window_commands(CLI::App& app, Session& session) {
  add_windows(app, session);
  add_find(app, session);
  add_func(app, session);
  add_group(app, session);
  add_last(app, session);
  add_activate(app, session);
}

}  // namespace dx7ctl
