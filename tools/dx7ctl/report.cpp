#include "report.h"

#include <cstdint>
#include <cstdio>

#include "dremoxa7.h"

namespace dx7ctl {

std::string result_name(short result) {
  switch (result) {
    case DREMOXA7_OK:
      return "ok";
    case DREMOXA7_OUT_OF_RANGE:
      return "out_of_range";
    case DREMOXA7_NO_EXECUTABLE:
      return "no_executable";
    case DREMOXA7_REFUSED:
      return "refused";
    case DREMOXA7_NOT_FOUND:
      return "not_found";
    case DREMOXA7_UNREADABLE:
      return "unreadable";
    default:
      return "passed_through";
  }
}

void Report::print(bool json) const {
  if (json) {
    nlohmann::ordered_json object;
    object["result"] = result_;
    object["result_name"] = result_name(result_);
    for (const auto& [name, value] : fields_.items()) object[name] = value;
    std::printf("%s\n", object.dump().c_str());
    return;
  }
  for (const std::string& text : lines_) std::printf("%s\n", text.c_str());
  std::printf("result: %d (%s)\n", result_, result_name(result_).c_str());
}

std::string handle_text(const void* window) {
  char text[2 + 2 * sizeof(void*) + 1];
  std::snprintf(text, sizeof text, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

}  // namespace dx7ctl
