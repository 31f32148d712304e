#include "launch/jumps.h"

#include "frame/suite.h"
#include "launch/command_line.h"
#include "launch/executable_path.h"
#include "launch/handoff.h"
#include "platform/platform.h"
#include "windows/activation.h"
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

// Activates the running tool or starts its executable; the outcome of
// either is not reported.
void activate_or_start(platform::Window window, const ExecutablePath& path, const char* handoff) {
  if (window != nullptr) {
    windows::activate(window);
    return;
  }
  const auto line = command_line(path.view(), {});
  if (handoff != nullptr && handoff[0] != '\0') put_handoff_text(handoff);
  platform::start_program(line->c_str());
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
  if (result != kOk) return result;

  char name[suite::kExeNameCapacity] = {};
  char unused2[suite::kExeNameCapacity] = {};
  char unused3[suite::kExeNameCapacity] = {};
  result = GetZorExeName(number, name, unused2, unused3);
  if (result != kOk) return result;

  std::int16_t unused_value = 0;
  char directory[suite::kInstallPathCapacity] = {};
  result = calls.install_path(series, &unused_value, directory);
  if (result != kOk) return result;

  // The executable must exist even when its tool already runs.
  const auto path =
      executable_path(bounded_view(directory, sizeof directory), bounded_view(name, sizeof name));
  if (!path || !platform::path_exists(path->c_str())) return kNoExecutable;
  activate_or_start(window, *path, handoff);
  return kOk;
}

Result package_jump(const char* directory, const char* exe_name, const char* title) {
  const auto path = executable_path(view_of(directory), view_of(exe_name));
  if (!path || !platform::path_exists(path->c_str())) return kNoExecutable;
  activate_or_start(windows::find_by_prefix(title).window, *path, nullptr);
  return kOk;
}

}  // namespace dremoxa7::launch
