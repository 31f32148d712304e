// demo_scenario.exe: a short narrated walk through the window and jump
// exports, as a tool program would use them. It describes suite tools to the
// stand-in suite DLLs, starts three (fixture_tool.exe), finds them, counts
// them, brings one to the front, jumps to a fourth that does not run yet
// with a hand-off text and to one that runs, and closes them again; then it
// shuts a whole suite down from one of its tools and shows the order in
// which the tools went; then it asks the two project queries about files it
// writes; last, tools start through the start check, and the ladder editor
// is started with its switches and brought to the front. Run by tools/demo.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "console_run.h"
#include "file_image.h"
#include "fixture_process.h"
#include "installed_tool.h"
#include "library.h"
#include "logged_command_line.h"
#include "time_stamp.h"
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

// The install directory of the demo's suite: copies of fixture_tool.exe
// under the tools' executable names. Started without arguments, a copy takes
// its options from the .args file beside it.
struct Executable {
  int function;
  const char* name;
};

const Executable kExecutables[] = {
    {0, "dx7ladder"}, {4, "dx7servo"}, {10, "dx7trace"}, {12, "dx7report"}};

constexpr int kReportFunction = 12;
constexpr char kReportPrefix[] = "Dx7 Report Viewer";

std::string install_directory() { return e2e::program_directory() + "demo-install\\"; }
std::string report_log() { return install_directory() + "dx7report.log"; }

bool prepare_install_directory() {
  const std::string directory = install_directory();
  CreateDirectoryA(directory.c_str(), nullptr);
  for (const Executable& exe : kExecutables) {
    const std::string path = directory + exe.name + ".exe";
    if (!CopyFileA((e2e::program_directory() + "fixture_tool.exe").c_str(), path.c_str(), FALSE)) {
      return false;
    }
  }
  DeleteFileA(report_log().c_str());
  std::ofstream(directory + "dx7report.args", std::ios::binary)
      << "--log\r\n"
      << report_log() << "\r\n--window\r\n"
      << kReportPrefix << " - new\r\n";
  return true;
}

std::string suite_description() {
  std::string text;
  for (const Executable& exe : kExecutables) {
    const std::string f = std::to_string(exe.function);
    text += "exeno " + f + " " + f + "\nexename " + f + " " + exe.name + "\n";
  }
  text += "title 0 " + std::to_string(kReportFunction) + " " + kReportPrefix + "\n";
  return text + "installpath 0 " + install_directory() + "\n";
}

// What the started report viewer logged about the clipboard at its start.
std::string report_clipboard() {
  std::ifstream file(report_log(), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  const std::string log = text.str();
  const std::string line = log.substr(0, log.find("\r\n"));
  constexpr std::string_view kPrefix = "clipboard ";
  return line.starts_with(kPrefix) ? "\"" + line.substr(kPrefix.size()) + "\"" : line;
}

bool write_file(const std::string& path, const dremoxa7::FileImage& image) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << image.bytes();
  return static_cast<bool>(file);
}

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

// The configuration file beside the library holds CPU records of 14 bytes
// from offset 22; a project's system file says which axes it uses.
void query_project(const e2e::Exports& dll) {
  const std::string configuration = e2e::program_directory() + "Zorposcom.cnf";
  if (!write_file(configuration, dremoxa7::FileImage(274).text(22 + 14 * 3, "  MX42-CPU    "))) {
    say("Could not write %s.", configuration.c_str());
    return;
  }
  char text[DREMOXA7_CPU_TEXT_CAPACITY] = {};
  const short named = dll.StaBarCpuName(3, text);
  say("StaBarCpuName(3) answers %d: \"%s\" (centred to the status bar's 18 characters).", named,
      text);
  DeleteFileA(configuration.c_str());

  // Slot group 0 assigns axes 1 and 2, the axis table assigns axis 2 again
  // with its own codes, and the axis list marks axes 2 and 3 (3 is unused).
  const std::string project = e2e::program_directory() + "demo-project\\";
  CreateDirectoryA(project.c_str(), nullptr);
  CreateDirectoryA((project + "Temp").c_str(), nullptr);
  const std::string system_file = project + "Temp\\axsystem.bin";
  write_file(system_file, dremoxa7::FileImage(188)
                              .set(8, {0x20, 0x01, 0x02, 0x05, 0x06})
                              .set(106, {0x42, 0x11, 0x22, 0x33})
                              .set(154, {0x02, 0x03}));
  e2e::write_suite_description("cpuspec 7 0 4 0\n");
  unsigned char table[DREMOXA7_AXIS_TABLE_SIZE] = {};
  const short used = dll.UseAxis(project.c_str(), 7, 0, table);
  say("UseAxis(project, CPU type 7 with 4 axes) answers %d:", used);
  for (int axis = 1; axis <= 32; ++axis) {
    const unsigned char* entry = table + 8 * (axis - 1);
    if (entry[0] == 0) continue;
    say("  axis %d in use, assigned by %s, type code 0x%02X, detail code 0x%02X%s", axis,
        entry[1] == 1 ? "a slot entry" : "an axis entry", entry[2], entry[3],
        entry[4] == 1 ? ", listed" : "");
  }
  DeleteFileA(system_file.c_str());
  RemoveDirectoryA((project + "Temp").c_str());
  RemoveDirectoryA(project.c_str());
}

// A tool's start while no tool of group 0 runs and while one does, then the
// ladder editor started with its switches and brought to the front.
void start_tools(const e2e::Exports& dll) {
  const std::string library_directory = e2e::program_directory();
  const std::string work_file = library_directory + "zorwork.inf";
  const std::string configuration = library_directory + "Zorposcom.cnf";
  DeleteFileA(work_file.c_str());
  e2e::write_suite_description(
      "title 0 0 Dx7 Main\ntitle 0 5 Dx7 Axis Monitor\ntitle 0 4 Dx7 Servo Monitor\n"
      "verfile 0 V7.01 - E1000 -\nexename 0 dx7main\nexeno 5 25\nexeno 4 24\n"
      "shortpac 0 K7G12X\n");
  const e2e::InstalledTool main_tool(library_directory, "dx7main",
                                     e2e::logging_command_line("Dx7 Main - started"));
  const std::string editor_directory = library_directory + "demo ladder\\";
  const e2e::InstalledTool editor(editor_directory, "dx7lad",
                                  e2e::logging_command_line("Dx7 Ladder - K7G12X - conveyor.prj"));
  e2e::FixtureProcess notes({"--window", "Notes - todo.txt"});
  if (!main_tool.error().empty() || !editor.error().empty() || !notes.ready()) {
    say("Could not prepare the tools of this step.");
    return;
  }
  const auto bring_notes_to_front = [&] {
    SetForegroundWindow(notes.window(0));
    e2e::wait_until([&] { return GetForegroundWindow() == notes.window(0); }, 5000);
  };

  step("The axis monitor (function 5) starts while no tool of group 0 runs.");
  say("Executable 0 is dx7main, in the library's own directory.");
  short quit = 0;
  short result = dll.ZorStartCheck(0, 5, &quit);
  say("ZorStartCheck(series 0, function 5) answers %d with quit flag %d: the axis monitor ends.",
      result, quit);
  const HWND main_window = main_tool.started_window();
  say("Executable 0 started in its place, with window %s and command line %s.",
      WindowName(main_window).text, e2e::logged_command_line(main_tool).c_str());
  const std::vector<std::string> main_log = main_tool.log_lines();
  constexpr std::string_view kClipboard = "clipboard ";
  const std::string found = main_log.empty() ? "nothing" : main_log.front();
  say("At its start it read from the clipboard: %s.",
      found.starts_with(kClipboard) ? ("\"" + found.substr(kClipboard.size()) + "\"").c_str()
                                    : found.c_str());

  step("The servo monitor (function 4) starts while executable 0 runs.");
  bring_notes_to_front();
  say("The foreground window is %s.", WindowName(GetForegroundWindow()).text);
  result = dll.ZorStartCheck(0, 4, &quit);
  e2e::wait_until([&] { return GetForegroundWindow() == main_window; }, 5000);
  say("ZorStartCheck(series 0, function 4) answers %d with quit flag %d: the servo monitor ends,",
      result, quit);
  say("and the foreground window is now %s.", WindowName(GetForegroundWindow()).text);

  step("Jump to the ladder editor, which does not run: it starts with its switches.");
  write_file(work_file,
             dremoxa7::FileImage(570).text(266, "conveyor.prj\r\n").set(523, {3}).set(527, {200}));
  write_file(configuration, dremoxa7::FileImage(274).text(22 + 14 * 3, "  MX42-CPU    "));
  say("The work file gives CPU index 3, S value 200 and P text \"conveyor.prj\"; CPU record 3");
  say("names MX42-CPU; the short package name is \"K7G12X\". The editor lies in %s.",
      editor_directory.c_str());
  say("ZorLadderpJump(series 0, that directory, \"dx7lad\", \"Dx7 Ladder\") answers %d.",
      dll.ZorLadderpJump(0, editor_directory.c_str(), "dx7lad", "Dx7 Ladder"));
  const HWND editor_window = editor.started_window();
  say("The editor started with window %s and command line", WindowName(editor_window).text);
  say("  %s", e2e::logged_command_line(editor).c_str());

  step("Jump to the ladder editor again: it runs, so it comes to the front.");
  bring_notes_to_front();
  say("ZorLadderpJump answers %d.",
      dll.ZorLadderpJump(0, editor_directory.c_str(), "dx7lad", "Dx7 Ladder"));
  e2e::wait_until([&] { return GetForegroundWindow() == editor_window; }, 5000);
  say("The foreground window is now %s; the editor was started %d time(s) in all.",
      WindowName(GetForegroundWindow()).text, e2e::logged_starts(editor));
  DeleteFileA(work_file.c_str());
  DeleteFileA(configuration.c_str());
}

// The suite that the project manager (function 1) shuts down: each tool a
// program of its own that logs, with time stamps, what it is asked and when
// its window goes.
struct SuiteTool {
  int function;
  const char* prefix;  // none: found by the title composed from the work 1 information
  const char* title;
  const char* close_delay_ms;  // none: goes at once
};

const SuiteTool kSuite[] = {
    {0, "Dx7 Ladder Editor", "Dx7 Ladder Editor - conveyor.prj", nullptr},
    {1, "Dx7 Project Manager", "Dx7 Project Manager - conveyor", nullptr},
    {3, "Dx7 Sfc Monitor", "Dx7 Sfc Monitor - conveyor", nullptr},
    {4, "Dx7 Servo Monitor", "Dx7 Servo Monitor - axis 1", "1200"},
    {10, "Dx7 Trace Viewer", "Dx7 Trace Viewer", nullptr},
    {11, nullptr, "Dx7 Display - DEMO conveyor", nullptr},
    {32, "Dx7 Launcher", "Dx7 Launcher", nullptr},
};

constexpr short kShutdownFunction = 1;

struct ToolEvent {
  long long us;
  std::string what;
};

// The time-stamped lines of a tool's log, as "title: what happened".
void read_tool_log(const std::string& path, std::vector<ToolEvent>& events) {
  std::ifstream file(path, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t blank = line.find(' ');
    if (line.starts_with("clipboard") || blank == std::string::npos) continue;
    const long long us = std::stoll(line.substr(0, blank));
    const std::string text = line.substr(blank + 1);
    constexpr std::string_view kQuitLine = "message Sfc Quit Message ";
    if (text.starts_with("close ")) {
      events.push_back({us, text.substr(6) + ": asked by the close message"});
    } else if (text.starts_with(kQuitLine)) {
      events.push_back({us, text.substr(kQuitLine.size()) + ": asked by \"Sfc Quit Message\""});
    } else if (text.starts_with("gone ")) {
      events.push_back({us, text.substr(5) + ": gone"});
    }
  }
}

void close_all(const e2e::Exports& dll) {
  std::string description = "work1 1 Dx7 Display\nshortpac 0 DEMO\n";
  for (const SuiteTool& tool : kSuite) {
    if (tool.prefix == nullptr) continue;
    description += "title 0 " + std::to_string(tool.function) + " " + tool.prefix + "\n";
  }
  e2e::write_suite_description(description);

  std::vector<std::string> logs;
  std::vector<e2e::FixtureProcess> running;
  for (const SuiteTool& tool : kSuite) {
    logs.push_back(e2e::program_directory() + "demo-close-" + std::to_string(tool.function) +
                   ".log");
    DeleteFileA(logs.back().c_str());
    std::vector<std::string> options = {
        "--stamp",          "--log",    logs.back(), "--quit-message",
        "Sfc Quit Message", "--window", tool.title};
    if (tool.close_delay_ms != nullptr) {
      options.insert(options.end(), {"--close-delay", tool.close_delay_ms});
    }
    running.emplace_back(options);
    if (!running.back().ready()) {
      say("Could not start a tool: %s", running.back().error().c_str());
      return;
    }
    say("Function %2d runs with window \"%s\"%s.", tool.function, tool.title,
        tool.close_delay_ms ? " (it takes 1.2 s to save before it goes)" : "");
  }
  say("Function 11 is recognised by the work 1 display text and the short package name:");
  say("\"Dx7 Display - DEMO\".");

  say("AllExeEnd(series 0, function %d) asks the others to close and waits for them...",
      kShutdownFunction);
  const long long started = e2e::time_stamp_us();
  const short result = dll.AllExeEnd(0, kShutdownFunction);
  const long long returned = e2e::time_stamp_us();
  say("AllExeEnd answers %d after %lld ms. The tools, as they logged it:", result,
      (returned - started) / 1000);
  std::vector<ToolEvent> events;
  for (const std::string& log : logs) read_tool_log(log, events);
  std::sort(events.begin(), events.end(),
            [](const ToolEvent& a, const ToolEvent& b) { return a.us < b.us; });
  // The last tool before function 32, when function 32 was asked, and when
  // it went.
  long long others_gone = 0;
  long long last_asked = 0;
  long long last_gone = 0;
  for (const ToolEvent& event : events) {
    say("  +%5lld ms  %s", (event.us - started) / 1000, event.what.c_str());
    const bool gone = event.what.ends_with(": gone");
    if (gone && last_asked == 0) others_gone = event.us;
    if (!gone && others_gone != 0) last_asked = event.us;
    if (gone) last_gone = event.us;
  }
  for (std::size_t i = 0; i < running.size(); ++i) {
    if (IsWindow(running[i].window(0))) say("Still running: \"%s\".", kSuite[i].title);
  }
  say("From the last of the others going to the launcher's request: %lld ms (up to one",
      (last_asked - others_gone) / 1000);
  say("poll interval and the pause, 1000 ms, and the searches); from the launcher going");
  say("to the call's return: %lld ms (up to one poll interval, 500 ms, and a search).",
      (returned - last_gone) / 1000);
  say("Under Wine without a window manager, a window takes about 2 s from its close");
  say("request to going away.");
  for (const std::string& log : logs) DeleteFileA(log.c_str());
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
  if (!prepare_install_directory()) {
    say("Could not prepare the install directory %s.", install_directory().c_str());
    return 1;
  }
  say("Function %d is recognised by \"%s\"; it does not run yet.", kReportFunction, kReportPrefix);
  say("The executables lie in %s.", install_directory().c_str());
  e2e::write_suite_description(description + suite_description());

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

  step("The same question from a support script: dx7ctl, the command-line tool over the DLL.");
  say("dx7ctl group 0 0");
  const e2e::ConsoleRun ctl =
      e2e::run_console(e2e::program_directory() + "dx7ctl.exe", {"group", "0", "0"});
  std::istringstream ctl_lines(ctl.error.empty() ? ctl.out : ctl.error);
  for (std::string line; std::getline(ctl_lines, line);) say("  %s", line.c_str());

  step("Bring the ladder editor to the front.");
  const short activated = dll.SetActiveZorWin(editor);
  // The tool's own thread takes the activation on its own time.
  e2e::wait_until([&] { return GetForegroundWindow() == editor; }, 5000);
  say("SetActiveZorWin answers %d; the foreground window is now %s.", activated,
      WindowName(GetForegroundWindow()).text);
  say("SetActiveZorWin(no window) answers %d.", dll.SetActiveZorWin(nullptr));

  step("Jump to the report viewer, which does not run: it is started with a hand-off text.");
  const char handoff[] = "conveyor.prj,axis 1,trace 7";
  say("ZorFuncJump(series 0, function %d, \"%s\") answers %d.", kReportFunction, handoff,
      dll.ZorFuncJump(0, kReportFunction, handoff));
  HWND report = nullptr;
  e2e::wait_until([&] { return (report = FindWindowA(nullptr, "Dx7 Report Viewer - new")); });
  say("The report viewer started with window %s.", WindowName(report).text);
  say("At its start it read from the clipboard: %s.", report_clipboard().c_str());

  step("Jump to the servo monitor, which runs: it comes to the front, nothing is started.");
  say("ZorFuncJump(series 0, function 4, \"not needed\") answers %d.",
      dll.ZorFuncJump(0, 4, "not needed"));
  e2e::wait_until([&] { return GetForegroundWindow() == tools[1].window(0); }, 5000);
  say("The foreground window is now %s.", WindowName(GetForegroundWindow()).text);

  step("Close the report viewer, the servo monitor and the trace viewer, then ask again.");
  if (report != nullptr) PostMessageA(report, WM_CLOSE, 0, 0);
  e2e::wait_until([&] { return !IsWindow(report); });
  tools[1].end();
  tools[2].end();
  count_group(dll);
  last_app_check(dll);

  step("Close the ladder editor.");
  tools[0].end();
  last_app_check(dll);

  step("Shut the whole suite down from the project manager: every other tool is asked to close.");
  close_all(dll);

  step("Ask about a controller project: the status-bar CPU name and the axes in use.");
  query_project(dll);
  start_tools(dll);
  std::printf("\nDone.\n");
  return 0;
}
