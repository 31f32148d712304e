// Stand-in cpuspec.dll: answers from the description file (description.h).
#include <windows.h>

#include <cstring>

#include "description.h"
#include "frame/suite.h"

namespace {

void put_int32(unsigned char* record, std::size_t offset, long long value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) record[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

extern "C" std::int16_t DREMOXA7_SUITE_CALL CDbCpuSpec(std::int16_t cpuType, std::int32_t qualifier,
                                                       void* record) {
  const standin::Description description = standin::Description::load();
  std::optional<standin::Fields> fields = description.find("cpuspec", {cpuType, qualifier});
  long long axis_count = 0;
  long long extra_slot_groups = 0;
  const bool found = fields && fields->number(axis_count) && fields->number(extra_slot_groups);
  if (found && record != nullptr) {
    auto* bytes = static_cast<unsigned char*>(record);
    std::memset(bytes, standin::kFiller, dremoxa7::suite::kCpuSpecRecordSize);
    put_int32(bytes, 0, axis_count);
    put_int32(bytes, 20, extra_slot_groups);
  }
  return description.answer("CDbCpuSpec", cpuType, standin::found_code(found),
                            standin::numbers_text({cpuType, qualifier}));
}
