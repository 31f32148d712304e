// demo_scenario.exe: a short narrated walk through the window exports, as a
// tool program would use them. It describes three suite tools to the
// stand-in suite DLLs, starts them (fixture_tool.exe), finds them, counts
// them, brings one to the front and closes them again. Run by tools/demo.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fixture_process.h"
#include "library.h"
#include "wait.h"

namespace {

struct DemoTool {
  int function;
  const char* prefix;
  const char* title;
};

const DemoTool kTools[] = {
    {0, "Dx7 Ladder Editor", "Dx7 Ladder Editor - conveyor.prj"},
    {4, "Dx7 Servo Monitor", "Dx7 Servo Monitor - axis 1"},
    {10, "Dx7 Trace Viewer", "Dx7 Trace Viewer"},
};

int step_number = 0;

void step(const char* text) { std::printf("\n%d. %s\n", ++step_number, text); }

// One line of narration under the current step.
template <class... Args>
void say(const char* format, Args... args) {
  std::printf("   ");
  std::printf(format, args...);
  std::printf("\n");
}

// The window's title, or "no window".
struct WindowName {
  explicit WindowName(HWND window) {
    if (window == nullptr) {
      std::snprintf(text, sizeof text, "no window");
      return;
    }
    char title[DREMOXA7_TITLE_CAPACITY] = {};
    GetWindowTextA(window, title, sizeof title);
    std::snprintf(text, sizeof text, "\"%s\"", title);
  }
  char text[DREMOXA7_TITLE_CAPACITY + 2];
};

void find_by(const char* how, decltype(&::FindWinTitle) search, const char* text) {
  char title[DREMOXA7_TITLE_CAPACITY] = {};
  HWND window = nullptr;
  const short result = search(text, title, &window);
  if (window != nullptr) {
    say("%s \"%s\": found \"%s\" (result %d).", how, text, title, result);
  } else {
    say("%s \"%s\": no window (result %d).", how, text, result);
  }
}

void count_group(const e2e::Exports& dll) {
  short count = 0;
  HWND windows[DREMOXA7_FUNCTION_COUNT] = {};
  const short result = dll.FindZorWin(0, 0, &count, windows);
  say("FindZorWin(series 0, group 0) answers %d: %d tool(s) of group 0 are running.", result,
      count);
  for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
    if (windows[f] != nullptr) say("  function %d: %s", f, WindowName(windows[f]).text);
  }
}

void last_app_check(const e2e::Exports& dll) {
  short is_last = 0;
  const short result = dll.LastAppCheck(0, &is_last);
  say("LastAppCheck answers %d with flag %d: %s", result, is_last,
      is_last ? "exactly one tool of group 1 is left." : "not exactly one tool is left.");
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const e2e::Library& library = e2e::Library::get();
  step("Load dremoxa7.dll the way a tool program does.");
  if (!library.error().empty() || !library.missing().empty()) {
    say("The library is not usable: %s%s", library.error().c_str(), library.missing().c_str());
    return 1;
  }
  say("Loaded %s and found its exports.", library.path().c_str());
  const e2e::Exports& dll = library.exports();

  step("Tell the stand-in suite information library the title of each tool.");
  std::string description;
  for (const DemoTool& tool : kTools) {
    description += "title 0 ";
    description += std::to_string(tool.function);
    description += ' ';
    description += tool.prefix;
    description += '\n';
    say("Function %d is recognised by \"%s\".", tool.function, tool.prefix);
  }
  e2e::write_suite_description(description);

  step("Start three tool programs, each with its main window.");
  std::vector<e2e::FixtureProcess> tools;
  for (const DemoTool& tool : kTools) {
    tools.emplace_back(std::vector<std::string>{"--window", tool.title});
    if (!tools.back().ready()) {
      say("Could not start a tool: %s", tools.back().error().c_str());
      return 1;
    }
    say("Started the tool with window \"%s\".", tool.title);
  }

  step("Find windows by the start of their title, and by a part of it.");
  find_by("FindWinTitle (start of the title)", dll.FindWinTitle, "Dx7 Servo");
  find_by("FindWinTitle (start of the title)", dll.FindWinTitle, "Servo");
  find_by("FindWinTitleP (part of the title)", dll.FindWinTitleP, "Servo");
  find_by("FindWinTitleP (part of the title)", dll.FindWinTitleP, "conveyor");
  find_by("FindWinTitle (case counts)", dll.FindWinTitle, "dx7 servo");

  step("Find a tool by its function number.");
  HWND editor = nullptr;
  const short found = dll.FindFuncWin(0, 0, &editor);
  say("FindFuncWin(series 0, function 0) answers %d: %s.", found, WindowName(editor).text);

  step("Count the running tools of group 0, and ask whether this is the last one.");
  count_group(dll);
  last_app_check(dll);

  step("Bring the ladder editor to the front.");
  const short activated = dll.SetActiveZorWin(editor);
  // The tool's own thread takes the activation on its own time.
  e2e::wait_until([&] { return GetForegroundWindow() == editor; }, 5000);
  say("SetActiveZorWin answers %d; the foreground window is now %s.", activated,
      WindowName(GetForegroundWindow()).text);
  say("SetActiveZorWin(no window) answers %d.", dll.SetActiveZorWin(nullptr));

  step("Close the servo monitor and the trace viewer, then ask again.");
  tools[1].end();
  tools[2].end();
  count_group(dll);
  last_app_check(dll);

  step("Close the ladder editor.");
  tools[0].end();
  last_app_check(dll);
  std::printf("\nDone.\n");
  return 0;
}
