#include "report.h"

#include <cstdint>
#include <cstdio>

#include "base/result_meaning.h"
#include "dremoxa7.h"
#include "system_text.h"

namespace dx7ctl {
namespace {

// A text that could not be encoded is shown with replacement characters
// rather than ending the program.
std::string dump(const nlohmann::ordered_json& object) {
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

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

Report::Report(std::string_view export_name, short result)
    : result_(result), meaning_(dremoxa7::result_meaning(export_name, result)) {}

void Report::print(bool json) const {
  if (json) {
    nlohmann::ordered_json object;
    object["result"] = result_;
    object["result_name"] = result_name(result_);
    object["result_meaning"] = meaning_;
    for (const auto& [name, value] : fields_.items()) object[name] = value;
    if (!messages_.empty()) {
      nlohmann::ordered_json messages = nlohmann::ordered_json::array();
      for (const std::string& text : messages_) messages.push_back(utf8_from_system(text));
      object["messages"] = messages;
    }
    std::printf("%s\n", dump(object).c_str());
    return;
  }
  for (const std::string& text : lines_) std::printf("%s\n", text.c_str());
  for (const std::string& text : messages_) std::printf("message box: %s\n", text.c_str());
  std::printf("result: %d (%s)\n", result_, meaning_.c_str());
}

int report_failure(bool json, Failure failure, const std::string& message) {
  const char* kind = failure == Failure::usage ? "usage"
                     : failure == Failure::dll ? "dll"
                                               : "internal";
  if (json) {
    const nlohmann::ordered_json object = {{"error", kind}, {"message", utf8_from_system(message)}};
    std::printf("%s\n", dump(object).c_str());
  } else {
    std::fprintf(stderr, "dx7ctl: %s\n%s", message.c_str(),
                 failure == Failure::usage ? "(see dx7ctl --help)\n" : "");
  }
  return static_cast<int>(failure);
}

std::string handle_text(const void* window) {
  char text[2 + 2 * sizeof(void*) + 1];
  std::snprintf(text, sizeof text, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

}  // namespace dx7ctl
