// Stand-in codedb.dll: answers from the description file (description.h).
#include <windows.h>

#include <cstring>

#include "description.h"
#include "frame/suite.h"

namespace {

// The only conversion kind this library asks for.
constexpr std::int16_t kConversionKind = 3;

}  // namespace

extern "C" {

std::int16_t DREMOXA7_SUITE_CALL QHA_CodeToMCode(std::int16_t kind, std::int16_t typeCode,
                                                 std::int32_t* converted) {
  const standin::Description description = standin::Description::load();
  std::optional<standin::Fields> fields;
  if (kind == kConversionKind) fields = description.find("codetomcode", {typeCode});
  long long value = 0;
  const bool found = fields && fields->number(value);
  if (found && converted != nullptr) *converted = static_cast<std::int32_t>(value);
  return description.answer("QHA_CodeToMCode", typeCode, standin::found_code(found),
                            standin::numbers_text({kind, typeCode}));
}

std::int16_t DREMOXA7_SUITE_CALL M_Codeinf(std::int32_t converted, void* record) {
  const standin::Description description = standin::Description::load();
  std::optional<standin::Fields> fields = description.find("codeinf", {converted});
  long long first = 0;
  const bool found = fields && fields->number(first);
  if (found && record != nullptr) {
    auto* bytes = static_cast<unsigned char*>(record);
    std::memset(bytes, standin::kFiller, dremoxa7::suite::kCodeInfoRecordSize);
    bytes[0] = static_cast<unsigned char>(first);
  }
  return description.answer("M_Codeinf", converted, standin::found_code(found),
                            standin::numbers_text({converted}));
}

}  // extern "C"
