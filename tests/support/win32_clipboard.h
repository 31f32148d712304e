// Clipboard text for the Windows test programs, the fixture tool and the
// demo (Windows builds only). Another program, the library under test among
// them, may hold the clipboard for a moment: every open is retried briefly.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/win32_owners.h"

namespace dremoxa7::win32_test {

// The clipboard, opened for owner (which may be null); null when another
// program still held it after a few tries.
std::unique_ptr<ClipboardOpen> open_clipboard(HWND owner);

struct ClipboardText {
  bool opened = false;
  // The CF_TEXT up to its terminator; none when the clipboard holds no text.
  std::optional<std::string> text;
};

// Reads the clipboard's text, opening it for owner (which may be null).
ClipboardText read_clipboard_text(HWND owner);

// Empties the clipboard and puts text on it, opened for owner (which may be
// null); false when it could not be opened or would not take the text.
bool put_clipboard_text(std::string_view text, HWND owner);

}  // namespace dremoxa7::win32_test
