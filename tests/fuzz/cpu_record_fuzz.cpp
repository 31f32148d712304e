// The CPU name of any 14-byte record, and the status-bar text built from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "code_page_choice.h"
#include "frame/cpu_record.h"
#include "fuzz_input.h"
#include "project/status_bar_text.h"

using namespace dremoxa7;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CpuRecord record;
  fuzz::InputReader input(data, size);
  input.take(record.data(), record.size());
  const std::uint8_t choice = input.take_byte();

  const CpuName name = cpu_name_of(record, fuzz::code_page_for(choice));
  const std::string_view all(reinterpret_cast<const char*>(record.data()), record.size());
  const std::size_t begin = all.find_first_not_of(' ');
  const std::string_view rest = begin == std::string_view::npos ? "" : all.substr(begin);
  std::string_view expected = rest.substr(0, rest.find_first_of(std::string_view(" \0", 2)));
  // Only whole characters: a lead byte without its second byte is dropped.
  expected = expected.substr(0, fuzz::walk_characters(expected, choice & 1, [](auto, auto) {}));
  if (name.view() != expected) __builtin_trap();

  constexpr std::string_view kLabel = "CPU : ";
  const project::StatusBarText text = project::centred_cpu_text(kLabel, name.view());
  const std::size_t length = kLabel.size() + name.size();
  const std::size_t width = length < 18 ? 18 : length;
  if (text.size() != width) __builtin_trap();
  const std::size_t left = text.view().find(kLabel);
  if (left != (length < 18 ? (18 - length) / 2 : 0)) __builtin_trap();
  if (text.view().substr(left + kLabel.size(), name.size()) != name.view()) __builtin_trap();
  const std::string_view before = text.view().substr(0, left);
  const std::string_view after = text.view().substr(left + length);
  if (before.find_first_not_of(' ') != std::string_view::npos ||
      after.find_first_not_of(' ') != std::string_view::npos) {
    __builtin_trap();
  }
  return 0;
}
