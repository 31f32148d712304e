// The fields of any work information block: the P text stays within its
// field and ends where the field says, and the one-byte values keep to
// the range of their width and signedness.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/work_block.h"
#include "fuzz_input.h"

using namespace dremoxa7;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WorkBlock block;
  fuzz::InputReader(data, size).take(block.data(), block.size());

  // The P text lies within offsets 266..522, holds no carriage return or
  // zero byte, and ends at one of them or with the field.
  const auto* field = reinterpret_cast<const char*>(block.data()) + 266;
  const std::string_view p = p_switch_text(block);
  if (p.data() != field || p.size() > 257) __builtin_trap();
  if (p.find_first_of(std::string_view("\r\0", 2)) != std::string_view::npos) __builtin_trap();
  if (p.size() < 257 && field[p.size()] != '\r' && field[p.size()] != '\0') __builtin_trap();

  const int index = cpu_index(block);
  if (index < -128 || index > 127) __builtin_trap();
  const int s_value = s_switch_value(block);
  if (s_value < 0 || s_value > 255) __builtin_trap();
  return 0;
}
