#include "launch/help.h"

#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7::launch {
namespace {

// The help engine's commands.
constexpr unsigned kHelpFinder = 11;
constexpr unsigned kHelpKey = 0x0101;

}  // namespace

Result open_help(std::int16_t mode, const char* help_file, const char* keyword) {
  const platform::Window owner = platform::active_window();
  if (owner == nullptr) {
    trace::line("help: no active window, nothing opened");
    return kOk;
  }
  switch (mode) {
    case 0:
      trace::line("help contents of", trace::quoted(help_file), "for window", trace::handle(owner));
      platform::open_help(owner, help_file, kHelpFinder, 0);
      return kOk;
    case 1:
      trace::line("help keyword", trace::quoted(keyword), "of", trace::quoted(help_file),
                  "for window", trace::handle(owner));
      platform::open_help(owner, help_file, kHelpKey, reinterpret_cast<std::uintptr_t>(keyword));
      return kOk;
    default:
      return kOutOfRange;
  }
}

}  // namespace dremoxa7::launch
