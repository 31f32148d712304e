#include "windows/activation.h"

namespace dremoxa7::windows {

Result activate(platform::Window window) {
  if (window == nullptr) return kNotFound;
  // The pop-up is noted before the switch, which may change it.
  const platform::Window popup = platform::last_active_popup(window);
  if (!platform::set_foreground(window)) return kRefused;
  if (platform::is_iconic(window)) platform::restore_without_waiting(window);
  if (popup != nullptr && popup != window && !platform::set_foreground(popup)) {
    // A pop-up that closed meanwhile leaves its owner in front, as one that
    // closed before the call does.
    return platform::last_active_popup(window) == popup ? kRefused : kOk;
  }
  return kOk;
}

}  // namespace dremoxa7::windows
