#include "windows/function_windows.h"

#include <array>

#include "base/text.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "windows/title_match.h"
#include "windows/title_search.h"

namespace dremoxa7::windows {
namespace {

using Prefix = Text<suite::kTitleCapacity + 1>;

Result function_prefix(TitleCall call, std::int16_t series, std::int16_t function, Prefix& prefix) {
  char buffer[suite::kTitleCapacity] = {};
  const Result result = call == TitleCall::first_series
                            ? GetZorFuncWinTitle(series, function, buffer)
                            : QGetZorFuncWinTitle(series, function, buffer);
  if (result == kOk) {
    prefix = Prefix(bounded_view(buffer, sizeof buffer));
  } else {
    trace::line(call == TitleCall::first_series ? "GetZorFuncWinTitle" : "QGetZorFuncWinTitle",
                "series", series, "function", function, "failed with", result);
  }
  return result;
}

struct Member {
  int function;
  Prefix prefix;
};

// Passes over most titles that begin with no member's prefix in one or two
// comparisons, whatever the number of members: the many windows of other
// programs, and those that share only the start the suite's titles have in
// common. Any title that begins with a prefix passes.
class PrefixFilter {
 public:
  PrefixFilter(const Member* members, int member_count) {
    bool first = true;
    for (int i = 0; i < member_count; ++i) {
      const std::string_view prefix = members[i].prefix.view();
      if (prefix.empty()) continue;
      if (first) common_ = prefix;
      first = false;
      std::size_t n = 0;
      while (n < common_.size() && n < prefix.size() && common_[n] == prefix[n]) ++n;
      common_ = common_.substr(0, n);
    }
    for (int i = 0; i < member_count; ++i) {
      const std::string_view prefix = members[i].prefix.view();
      if (prefix.empty()) continue;
      if (prefix.size() == common_.size()) {
        common_is_a_prefix_ = true;
      } else {
        next_bytes_[static_cast<unsigned char>(prefix[common_.size()])] = true;
      }
    }
  }

  // False only when the title begins with no member's prefix.
  // The byte after the common part is looked at first: it alone rules out
  // most titles.
  bool may_match(std::string_view title) const {
    if (!common_is_a_prefix_ && (title.size() <= common_.size() ||
                                 !next_bytes_[static_cast<unsigned char>(title[common_.size()])])) {
      return false;
    }
    return title_begins_with(title, common_);
  }

 private:
  // What every prefix begins with, and the bytes that follow it in them.
  std::string_view common_;
  std::array<bool, 256> next_bytes_{};
  bool common_is_a_prefix_ = false;
};

// Gives each member the first window in Z-order whose title begins with its
// prefix, reading each title once. Members with an empty prefix are not
// searched.
void match_members(const Member* members, int member_count, GroupWindows& out) {
  int pending = 0;
  for (int i = 0; i < member_count; ++i) pending += members[i].prefix.empty() ? 0 : 1;
  if (pending == 0) return;
  const PrefixFilter filter(members, member_count);
  TitleScratch scratch;
  platform::for_each_window([&](platform::Window window) {
    const std::string_view title = read_title(window, scratch);
    if (!filter.may_match(title)) return true;
    for (int i = 0; i < member_count; ++i) {
      const Member& member = members[i];
      platform::Window& slot = out.windows[member.function];
      if (slot != nullptr || member.prefix.empty()) continue;
      if (!title_begins_with(title, member.prefix.view())) continue;
      trace::line("function", member.function, "title prefix", trace::quoted(member.prefix.view()),
                  "found", trace::handle(window), trace::quoted(title));
      slot = window;
      ++out.count;
      --pending;
    }
    return pending > 0;
  });
}

}  // namespace

Result find_function_window(TitleCall call, std::int16_t series, std::int16_t function,
                            platform::Window& window, PassOver pass_over) {
  window = nullptr;
  Prefix prefix;
  const Result result = function_prefix(call, series, function, prefix);
  if (result != kOk) return result;
  trace::line("function", function, "of series", series, "has title prefix",
              trace::quoted(prefix.view()));
  window = find_by_prefix(prefix.c_str(), pass_over).window;
  return kOk;
}

Result find_group_windows(std::int16_t series, std::int16_t group, GroupWindows& out) {
  out = GroupWindows{};
  if (!valid_series(series) || group < 0 || group >= kGroupCount) return kOutOfRange;

  Member members[kFunctionCount];
  int member_count = 0;
  Result result = kOk;
  for (int function = 0; function < kFunctionCount && result == kOk; ++function) {
    if (!in_group(group, function)) continue;
    Member& member = members[member_count];
    member.function = function;
    result = function_prefix(TitleCall::first_series, series, static_cast<std::int16_t>(function),
                             member.prefix);
    if (result == kOk) ++member_count;
  }
  match_members(members, member_count, out);
  trace::line("group", group, "of series", series, "running", out.count);
  return result;
}

Result last_app_check(std::int16_t series, std::int16_t& is_last) {
  is_last = 0;
  GroupWindows group;
  const Result result = find_group_windows(series, 1, group);
  if (result != kOk) return result;
  if (group.count == 1) is_last = 1;
  return kOk;
}

}  // namespace dremoxa7::windows
