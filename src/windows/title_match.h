// How a window title matches a search text: byte for byte, case-sensitive.
#pragma once

#include <string_view>

#include "base/code_page.h"

namespace dremoxa7::windows {

// Both texts are compared from their first byte on, which always starts a
// character.
inline bool title_begins_with(std::string_view title, std::string_view text) {
  return title.size() >= text.size() && title.substr(0, text.size()) == text;
}

// A match begins on a character of the title: never on the second byte of
// a two-byte character.
inline bool title_contains(std::string_view title, std::string_view text,
                           const CodePage& code_page) {
  return code_page.find(title, text) != std::string_view::npos;
}

}  // namespace dremoxa7::windows
