// Finding the first top-level window in Z-order by the start of its title
// or by a part of it.
#pragma once

#include <string_view>

#include "frame/state.h"
#include "frame/text.h"
#include "platform/platform.h"

namespace dremoxa7::windows {

// A found title: at most 349 characters.
using Title = Text<kTitleReadCount>;

struct Found {
  platform::Window window = nullptr;
  Title title;
};

// A null or empty text finds nothing without enumerating; so does a text
// longer than a title can be.
Found find_by_prefix(const char* text);
Found find_by_substring(const char* text);

// Reads a window's title into the given scratch buffer (a title is cut at
// 349 characters) and returns it.
std::string_view read_title(platform::Window window, char (&scratch)[kTitleScratchSize]);

}  // namespace dremoxa7::windows
