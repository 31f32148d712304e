#include "launch/handoff.h"

#include "platform/platform.h"

namespace dremoxa7::launch {

void put_handoff_text(std::string_view text) {
  for (int attempt = 1;; ++attempt) {
    const platform::ClipboardSession clipboard;
    if (clipboard) {
      platform::empty_clipboard();
      platform::set_clipboard_text(text, kHandoffBlockSize);
      return;
    }
    if (attempt == kClipboardOpenAttempts) return;
    platform::sleep_ms(kClipboardRetryMs);
  }
}

}  // namespace dremoxa7::launch
