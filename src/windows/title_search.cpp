#include "windows/title_search.h"

#include "frame/state.h"
#include "frame/trace.h"
#include "windows/title_match.h"

namespace dremoxa7::windows {
namespace {

// Only a text that a title can hold can match one: a longer text is looked
// for nowhere.
bool searchable(std::string_view text) {
  return !text.empty() && text.size() <= static_cast<std::size_t>(kTitleReadCount - 1);
}

// what names the search on the trace: "title prefix" or "title part".
template <class Matches>
Found find_first(const char* text, std::string_view what, Matches matches,
                 PassOver pass_over = nullptr) {
  Found found;
  const std::string_view wanted = view_of(text);
  if (!searchable(wanted)) {
    trace::line(what, trace::quoted(text), "not searched: empty or longer than a title");
    return found;
  }
  TitleScratch scratch;
  platform::for_each_window([&](platform::Window window) {
    const std::string_view title = read_title(window, scratch);
    if (!matches(title, wanted) || (pass_over != nullptr && pass_over(window))) return true;
    found.window = window;
    found.title = Title(title);
    return false;
  });
  if (found.window != nullptr) {
    trace::line(what, trace::quoted(wanted), "found", trace::handle(found.window),
                trace::quoted(found.title.view()));
  } else {
    trace::line(what, trace::quoted(wanted), "found no window");
  }
  return found;
}

}  // namespace

std::string_view read_title(platform::Window window, TitleScratch& scratch) {
  const int n = platform::window_title(window, scratch, kTitleReadCount);
  if (n <= 0) return {};
  return {scratch, n < kTitleReadCount ? static_cast<std::size_t>(n) : kTitleReadCount - 1};
}

Found find_by_prefix(const char* text, PassOver pass_over) {
  return find_first(text, "title prefix", title_begins_with, pass_over);
}

Found find_by_substring(const char* text) {
  const CodePage& code_page = module_state().code_page;
  return find_first(text, "title part",
                    [&code_page](std::string_view title, std::string_view wanted) {
                      return title_contains(title, wanted, code_page);
                    });
}

}  // namespace dremoxa7::windows
