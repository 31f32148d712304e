// Finding the first top-level window in Z-order by the start of its title
// or by a part of it.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/text.h"
#include "platform/platform.h"

namespace dremoxa7::windows {

// A title is read with this count, terminator included, so it is cut at
// 349 characters; the scratch it is read into has room to spare.
inline constexpr int kTitleReadCount = 350;
inline constexpr std::size_t kTitleScratchSize = 352;

// A found title: at most 349 characters.
using Title = Text<kTitleReadCount>;

// Room for one title read; every search keeps its own.
using TitleScratch = char[kTitleScratchSize];

struct Found {
  platform::Window window = nullptr;
  Title title;
};

// A window a search passes over whatever its title says.
using PassOver = bool (*)(platform::Window window);

// A null or empty text finds nothing without enumerating; so does a text
// longer than a title can be. The prefix search passes over the windows
// for which pass_over (when given) is true.
Found find_by_prefix(const char* text, PassOver pass_over = nullptr);
Found find_by_substring(const char* text);

// Reads a window's title into the given scratch (a title is cut at 349
// characters) and returns it.
std::string_view read_title(platform::Window window, TitleScratch& scratch);

}  // namespace dremoxa7::windows
