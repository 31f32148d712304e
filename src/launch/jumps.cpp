#include "launch/jumps.h"

#include "frame/executable_name.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "launch/activate_or_start.h"
#include "launch/command_line.h"
#include "launch/executable_path.h"
#include "platform/platform.h"
#include "windows/function_windows.h"
#include "windows/title_search.h"

namespace dremoxa7::launch {
namespace {

// Quotes and all, an executable path always fits a command line.
static_assert(CommandLine::capacity >= ExecutablePath::capacity + 2);

using InstallPathCall = std::int16_t(DREMOXA7_SUITE_CALL*)(std::int16_t, std::int16_t*, char*);

struct VariantCalls {
  windows::TitleCall lookup;
  InstallPathCall install_path;
};

VariantCalls calls_of(JumpVariant variant) {
  switch (variant) {
    case JumpVariant::second_series:
      return {windows::TitleCall::second_series, QGetZorInstallPath};
    case JumpVariant::alternative:
      return {windows::TitleCall::first_series, AGetZorInstallPath};
    case JumpVariant::standard:
      break;
  }
  return {windows::TitleCall::first_series, GetZorInstallPath};
}

}  // namespace

Result function_jump(JumpVariant variant, std::int16_t series, std::int16_t function,
                     const char* handoff) {
  const VariantCalls calls = calls_of(variant);
  platform::Window window = nullptr;
  Result result = windows::find_function_window(calls.lookup, series, function, window);
  if (result != kOk) return result;

  std::int16_t number = 0;
  result = GetZorExeNo(function, &number);
  if (result != kOk) {
    trace::line("GetZorExeNo of function", function, "failed with", result);
    return result;
  }

  ExecutableName name;
  result = executable_name(number, name);
  if (result != kOk) return result;

  std::int16_t unused_value = 0;
  char directory[suite::kInstallPathCapacity] = {};
  result = calls.install_path(series, &unused_value, directory);
  if (result != kOk) {
    trace::line("install directory of series", series, "failed with", result);
    return result;
  }

  // The executable must exist even when its tool already runs.
  const auto path = existing_executable(bounded_view(directory, sizeof directory), name.view());
  if (!path) return kNoExecutable;
  activate_or_start(window, *path, {}, view_of(handoff));
  return kOk;
}

Result package_jump(const char* directory, const char* exe_name, const char* title) {
  const auto path = existing_executable(view_of(directory), view_of(exe_name));
  if (!path) return kNoExecutable;
  activate_or_start(windows::find_by_prefix(title).window, *path, {}, {});
  return kOk;
}

}  // namespace dremoxa7::launch
