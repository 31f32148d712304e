#include "launch/handoff.h"

#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7::launch {

void put_handoff_text(std::string_view text) {
  for (int attempt = 1;; ++attempt) {
    const platform::ClipboardSession clipboard;
    if (clipboard) {
      platform::empty_clipboard();
      const bool put = platform::set_clipboard_text(text, kHandoffBlockSize);
      trace::line("clipboard", put ? "text put" : "refused the text", trace::quoted(text));
      return;
    }
    if (attempt == kClipboardOpenAttempts) {
      trace::line("clipboard held by another program at each of", attempt, "attempts: no hand-off",
                  trace::quoted(text));
      return;
    }
    platform::sleep_ms(kClipboardRetryMs);
  }
}

}  // namespace dremoxa7::launch
