// The clipboard hand-off: a text that a started tool reads from the
// clipboard at its own start.
#pragma once

#include <cstddef>
#include <string_view>

namespace dremoxa7::launch {

// The clipboard block is exactly this size, so a hand-off text holds at
// most 399 characters; a longer one is cut.
inline constexpr std::size_t kHandoffBlockSize = 400;

// Another program may hold the clipboard for a moment (a clipboard viewer,
// a tool copying): opening it is tried this often, this far apart, before
// the hand-off is given up.
inline constexpr int kClipboardOpenAttempts = 5;
inline constexpr unsigned kClipboardRetryMs = 10;

// Replaces the clipboard's content with text as plain text. Nothing is
// reported: when the clipboard cannot be had, the started tool finds no
// hand-off text.
void put_handoff_text(std::string_view text);

}  // namespace dremoxa7::launch
