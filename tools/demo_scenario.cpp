// demo_scenario.exe: a short narrated walk through the window and jump
// exports, as a tool program would use them. It describes suite tools to the
// stand-in suite DLLs, starts three (fixture_tool.exe), finds them, counts
// them, brings one to the front, jumps to a fourth that does not run yet
// with a hand-off text and to one that runs, and closes them again; last it
// asks the two project queries about files it writes. Run by tools/demo.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "file_image.h"
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

  step("Ask about a controller project: the status-bar CPU name and the axes in use.");
  query_project(dll);
  std::printf("\nDone.\n");
  return 0;
}
