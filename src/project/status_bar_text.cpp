#include "project/status_bar_text.h"

namespace dremoxa7::project {
namespace {

void append_spaces(StatusBarText& text, int count) {
  constexpr std::string_view kSpaces = "                  ";
  static_assert(kSpaces.size() == kStatusBarWidth);
  if (count > 0) text.append(kSpaces.substr(0, static_cast<std::size_t>(count)));
}

}  // namespace

StatusBarText centred_cpu_text(std::string_view label, std::string_view cpu_name) {
  // Lengths beyond the width all centre alike; bounding them keeps the
  // arithmetic in range for any label.
  const std::size_t joint = label.size() + cpu_name.size();
  const int length = joint < kStatusBarTextCapacity ? static_cast<int>(joint)
                                                    : static_cast<int>(kStatusBarTextCapacity);
  const int left = (kStatusBarWidth - length) / 2;
  const int right = kStatusBarWidth - left - length;
  StatusBarText text;
  append_spaces(text, left);
  text.append(label);
  text.append(cpu_name);
  append_spaces(text, right);
  return text;
}

}  // namespace dremoxa7::project
