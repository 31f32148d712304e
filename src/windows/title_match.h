// How a window title matches a search text: byte for byte, case-sensitive.
#pragma once

#include <string_view>

namespace dremoxa7::windows {

inline bool title_begins_with(std::string_view title, std::string_view text) {
  return title.size() >= text.size() && title.substr(0, text.size()) == text;
}

inline bool title_contains(std::string_view title, std::string_view text) {
  return title.find(text) != std::string_view::npos;
}

}  // namespace dremoxa7::windows
