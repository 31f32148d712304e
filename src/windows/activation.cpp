#include "windows/activation.h"

#include "frame/trace.h"

namespace dremoxa7::windows {

Result activate(platform::Window window) {
  if (window == nullptr) {
    trace::line("activate: no window");
    return kNotFound;
  }
  // The pop-up is noted before the switch, which may change it.
  const platform::Window popup = platform::last_active_popup(window);
  if (!platform::set_foreground(window)) {
    trace::line("activate", trace::handle(window), "refused the foreground");
    return kRefused;
  }
  if (platform::is_iconic(window)) {
    trace::line("activate", trace::handle(window), "minimised: restore asked");
    platform::restore_without_waiting(window);
  }
  if (popup != nullptr && popup != window && !platform::set_foreground(popup)) {
    // A pop-up that closed meanwhile leaves its owner in front, as one that
    // closed before the call does.
    const bool popup_stays = platform::last_active_popup(window) == popup;
    trace::line("activate", trace::handle(window), "pop-up", trace::handle(popup),
                popup_stays ? "refused the foreground" : "closed meanwhile");
    return popup_stays ? kRefused : kOk;
  }
  trace::line("activate", trace::handle(window), "in front");
  return kOk;
}

}  // namespace dremoxa7::windows
