#include "launch/help.h"

#include "platform/platform.h"

namespace dremoxa7::launch {
namespace {

// The help engine's commands.
constexpr unsigned kHelpFinder = 11;
constexpr unsigned kHelpKey = 0x0101;

}  // namespace

Result open_help(std::int16_t mode, const char* help_file, const char* keyword) {
  const platform::Window owner = platform::active_window();
  if (owner == nullptr) return kOk;
  switch (mode) {
    case 0:
      platform::open_help(owner, help_file, kHelpFinder, 0);
      return kOk;
    case 1:
      platform::open_help(owner, help_file, kHelpKey, reinterpret_cast<std::uintptr_t>(keyword));
      return kOk;
    default:
      return kOutOfRange;
  }
}

}  // namespace dremoxa7::launch
