#include "frame/work_block.h"

#include <cstdint>

namespace dremoxa7 {

bool start_hold(const WorkBlock& block) {
  return unsigned_byte(block, work_field::kStartHold) == 1;
}

int cpu_index(const WorkBlock& block) { return signed_byte(block, work_field::kCpuIndex); }

int s_switch_value(const WorkBlock& block) {
  return unsigned_byte(block, work_field::kSSwitchValue);
}

std::string_view p_switch_text(const WorkBlock& block) {
  const std::string_view field(
      reinterpret_cast<const char*>(block.data()) + work_field::kPSwitchText,
      work_field::kPSwitchTextWidth);
  return field.substr(0, field.find_first_of(std::string_view("\r\0", 2)));
}

}  // namespace dremoxa7
