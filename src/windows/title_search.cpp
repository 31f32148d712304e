#include "windows/title_search.h"

#include "frame/state.h"
#include "windows/title_match.h"

namespace dremoxa7::windows {
namespace {

// Only a text that a title can hold can match one: a longer text is looked
// for nowhere.
bool searchable(std::string_view text) {
  return !text.empty() && text.size() <= static_cast<std::size_t>(kTitleReadCount - 1);
}

template <class Matches>
Found find_first(const char* text, Matches matches) {
  Found found;
  const std::string_view wanted = view_of(text);
  if (!searchable(wanted)) return found;
  TitleScratch scratch;
  platform::for_each_window([&](platform::Window window) {
    const std::string_view title = read_title(window, scratch);
    if (!matches(title, wanted)) return true;
    found.window = window;
    found.title = Title(title);
    return false;
  });
  return found;
}

}  // namespace

std::string_view read_title(platform::Window window, TitleScratch& scratch) {
  const int n = platform::window_title(window, scratch, kTitleReadCount);
  if (n <= 0) return {};
  return {scratch, n < kTitleReadCount ? static_cast<std::size_t>(n) : kTitleReadCount - 1};
}

Found find_by_prefix(const char* text) { return find_first(text, title_begins_with); }

Found find_by_substring(const char* text) {
  const CodePage& code_page = module_state().code_page;
  return find_first(text, [&code_page](std::string_view title, std::string_view wanted) {
    return title_contains(title, wanted, code_page);
  });
}

}  // namespace dremoxa7::windows
