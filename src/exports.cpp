// The exported functions: each takes its arguments from their slots, calls
// its subsystem and returns the result code. Outputs are cleared first; a
// null output pointer only means the caller does not want that output.
#include <cstdint>
#include <type_traits>

#include "base/result.h"
#include "base/text.h"
#include "dremoxa7.h"
#include "frame/trace.h"
#include "launch/help.h"
#include "launch/jumps.h"
#include "launch/ladder_jump.h"
#include "lifecycle/close_all.h"
#include "lifecycle/start_check.h"
#include "project/axis_table.h"
#include "project/axis_usage.h"
#include "project/status_bar_cpu_name.h"
#include "project/status_bar_text.h"
#include "windows/activation.h"
#include "windows/function_windows.h"
#include "windows/title_search.h"

using namespace dremoxa7;

static_assert(DREMOXA7_OK == kOk && DREMOXA7_OUT_OF_RANGE == kOutOfRange &&
              DREMOXA7_NO_EXECUTABLE == kNoExecutable && DREMOXA7_REFUSED == kRefused &&
              DREMOXA7_NOT_FOUND == kNotFound && DREMOXA7_UNREADABLE == kUnreadable);
static_assert(DREMOXA7_TITLE_CAPACITY == windows::kTitleReadCount);
static_assert(DREMOXA7_CPU_TEXT_CAPACITY == project::kStatusBarTextCapacity);
static_assert(DREMOXA7_AXIS_TABLE_SIZE == project::kAxisTableSize);
static_assert(DREMOXA7_FUNCTION_COUNT == windows::kFunctionCount);

namespace {

// Every argument takes one 4-byte slot of the 32-bit stack.
template <class... Args>
constexpr int slot_bytes(short(DREMOXA7_API*)(Args...)) {
  return static_cast<int>(sizeof...(Args)) * 4;
}

// The header declares every export of the list with the list's signature,
// and the .def made from the list names the right argument bytes.
#define DREMOXA7_EXPORT(name, bytes, params)                                            \
  static_assert(std::is_same_v<decltype(&::name), short(DREMOXA7_API*) params>, #name); \
  static_assert(slot_bytes(&::name) == (bytes), #name);
#include "exports.inc"
#undef DREMOXA7_EXPORT

platform::Window to_platform(DREMOXA7_WINDOW window) {
  return static_cast<platform::Window>(window);
}
DREMOXA7_WINDOW to_caller(platform::Window window) { return static_cast<DREMOXA7_WINDOW>(window); }

template <class T>
void clear(T* out) {
  if (out != nullptr) *out = T{};
}

short search_result(const windows::Found& found, char* titleOut, DREMOXA7_WINDOW* windowOut) {
  if (titleOut != nullptr) copy_text(titleOut, DREMOXA7_TITLE_CAPACITY, found.title.view());
  if (windowOut != nullptr) *windowOut = to_caller(found.window);
  return kOk;
}

short find_function(const trace::Call& call, windows::TitleCall title_call, short series,
                    short function, DREMOXA7_WINDOW* windowOut) {
  clear(windowOut);
  platform::Window window = nullptr;
  const Result result = windows::find_function_window(title_call, series, function, window);
  if (windowOut != nullptr) *windowOut = to_caller(window);
  return call.result(result, "window", trace::handle(window));
}

}  // namespace

extern "C" {

short DREMOXA7_API FindWinTitle(const char* text, char* titleOut, DREMOXA7_WINDOW* windowOut) {
  const trace::Call call(__func__, "text", trace::quoted(text));
  if (titleOut != nullptr) titleOut[0] = '\0';
  clear(windowOut);
  return call.result(search_result(windows::find_by_prefix(text), titleOut, windowOut));
}

short DREMOXA7_API FindWinTitleP(const char* text, char* titleOut, DREMOXA7_WINDOW* windowOut) {
  const trace::Call call(__func__, "text", trace::quoted(text));
  if (titleOut != nullptr) titleOut[0] = '\0';
  clear(windowOut);
  return call.result(search_result(windows::find_by_substring(text), titleOut, windowOut));
}

short DREMOXA7_API FindFuncWin(short series, short function, DREMOXA7_WINDOW* windowOut) {
  const trace::Call call(__func__, "series", series, "function", function);
  return find_function(call, windows::TitleCall::first_series, series, function, windowOut);
}

short DREMOXA7_API QFindFuncWin(short series, short function, DREMOXA7_WINDOW* windowOut) {
  const trace::Call call(__func__, "series", series, "function", function);
  return find_function(call, windows::TitleCall::second_series, series, function, windowOut);
}

short DREMOXA7_API SetActiveZorWin(DREMOXA7_WINDOW window) {
  const trace::Call call(__func__, "window", trace::handle(window));
  return call.result(windows::activate(to_platform(window)));
}

short DREMOXA7_API FindZorWin(short series, short group, short* countOut,
                              DREMOXA7_WINDOW* windowsOut) {
  const trace::Call call(__func__, "series", series, "group", group);
  clear(countOut);
  if (windowsOut != nullptr) {
    for (int i = 0; i < windows::kFunctionCount; ++i) windowsOut[i] = nullptr;
  }
  windows::GroupWindows found;
  const Result result = windows::find_group_windows(series, group, found);
  if (countOut != nullptr) *countOut = found.count;
  if (windowsOut != nullptr) {
    for (int i = 0; i < windows::kFunctionCount; ++i) windowsOut[i] = to_caller(found.windows[i]);
  }
  return call.result(result, "count", found.count);
}

short DREMOXA7_API LastAppCheck(short series, short* isLastOut) {
  const trace::Call call(__func__, "series", series);
  clear(isLastOut);
  std::int16_t is_last = 0;
  const Result result = windows::last_app_check(series, is_last);
  if (isLastOut != nullptr) *isLastOut = is_last;
  return call.result(result, "last", is_last);
}

short DREMOXA7_API ZorFuncJump(short series, short function, const char* handoff) {
  const trace::Call call(__func__, "series", series, "function", function, "handoff",
                         trace::quoted(handoff));
  return call.result(
      launch::function_jump(launch::JumpVariant::standard, series, function, handoff));
}

short DREMOXA7_API QZorFuncJump(short series, short function, const char* handoff) {
  const trace::Call call(__func__, "series", series, "function", function, "handoff",
                         trace::quoted(handoff));
  return call.result(
      launch::function_jump(launch::JumpVariant::second_series, series, function, handoff));
}

short DREMOXA7_API AZorFuncJump(short series, short function, const char* handoff) {
  const trace::Call call(__func__, "series", series, "function", function, "handoff",
                         trace::quoted(handoff));
  return call.result(
      launch::function_jump(launch::JumpVariant::alternative, series, function, handoff));
}

short DREMOXA7_API ZorPacJump(const char* directory, const char* exeName, const char* title) {
  const trace::Call call(__func__, "directory", trace::quoted(directory), "exe",
                         trace::quoted(exeName), "title", trace::quoted(title));
  return call.result(launch::package_jump(directory, exeName, title));
}

short DREMOXA7_API ZorLadderpJump(short series, const char* directory, const char* exeName,
                                  const char* titlePrefix) {
  const trace::Call call(__func__, "series", series, "directory", trace::quoted(directory), "exe",
                         trace::quoted(exeName), "title", trace::quoted(titlePrefix));
  return call.result(launch::ladder_jump(series, directory, exeName, titlePrefix));
}

// The help file and keyword are traced where they are used: the keyword of
// mode 0 may point anywhere.
short DREMOXA7_API OpenZorHelp(short mode, const char* helpFile, const char* keyword) {
  const trace::Call call(__func__, "mode", mode);
  return call.result(launch::open_help(mode, helpFile, keyword));
}

// Suite lifecycle.

short DREMOXA7_API ZorStartCheck(short series, short function, short* quitOut) {
  const trace::Call call(__func__, "series", series, "function", function);
  clear(quitOut);
  std::int16_t quit = 0;
  const Result result = lifecycle::start_check(series, function, quit);
  if (quitOut != nullptr) *quitOut = quit;
  return call.result(result, "quit", quit);
}

short DREMOXA7_API AllExeEnd(short series, short exceptFunction) {
  const trace::Call call(__func__, "series", series, "except", exceptFunction);
  return call.result(lifecycle::close_all(series, exceptFunction));
}

// Controller configuration queries.

short DREMOXA7_API StaBarCpuName(short index, char* buffer) {
  const trace::Call call(__func__, "index", index);
  return call.result(project::status_bar_cpu_name(index, buffer));
}

short DREMOXA7_API UseAxis(const char* directory, short cpuType, int qualifier,
                           unsigned char* table) {
  const trace::Call call(__func__, "directory", trace::quoted(directory), "cpu", cpuType,
                         "qualifier", qualifier);
  return call.result(project::first_series_axis_usage(
      directory, cpuType, qualifier, project::SystemFilePlace::temp_subdirectory, table));
}

short DREMOXA7_API UseAxisP(const char* directory, short cpuType, int qualifier,
                            unsigned char* table) {
  const trace::Call call(__func__, "directory", trace::quoted(directory), "cpu", cpuType,
                         "qualifier", qualifier);
  return call.result(project::first_series_axis_usage(directory, cpuType, qualifier,
                                                      project::SystemFilePlace::directory, table));
}

short DREMOXA7_API QUseAxis(const char* directory, short cpuType, int qualifier,
                            unsigned char* table) {
  const trace::Call call(__func__, "directory", trace::quoted(directory), "cpu", cpuType,
                         "qualifier", qualifier);
  return call.result(project::second_series_axis_usage(
      directory, cpuType, qualifier, project::SystemFilePlace::temp_subdirectory, table));
}

short DREMOXA7_API QUseAxisP(const char* directory, short cpuType, int qualifier,
                             unsigned char* table) {
  const trace::Call call(__func__, "directory", trace::quoted(directory), "cpu", cpuType,
                         "qualifier", qualifier);
  return call.result(project::second_series_axis_usage(directory, cpuType, qualifier,
                                                       project::SystemFilePlace::directory, table));
}

}  // extern "C"
