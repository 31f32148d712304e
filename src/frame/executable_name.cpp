#include "frame/executable_name.h"

#include "frame/trace.h"

namespace dremoxa7 {

Result executable_name(std::int16_t number, ExecutableName& name) {
  char buffer[suite::kExeNameCapacity] = {};
  char unused2[suite::kExeNameCapacity] = {};
  char unused3[suite::kExeNameCapacity] = {};
  const Result result = GetZorExeName(number, buffer, unused2, unused3);
  if (result != kOk) {
    trace::line("GetZorExeName of executable", number, "failed with", result);
    return result;
  }
  name = ExecutableName(bounded_view(buffer, sizeof buffer));
  return kOk;
}

}  // namespace dremoxa7
