// What one dx7ctl call answers: the export's result code and its outputs,
// printed as readable lines or as one JSON object.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace dx7ctl {

// ok, out_of_range, no_executable, refused, not_found, unreadable, or
// passed_through for a code of a suite library.
std::string result_name(short result);

class Report {
 public:
  // The answer of export_name; "" when dx7ctl read a file itself instead.
  Report(std::string_view export_name, short result);

  // An output, as a JSON field. Texts of the system code page (titles,
  // paths, file contents) go through utf8_from_system first.
  template <class T>
  void set(const std::string& name, T&& value) {
    fields_[name] = std::forward<T>(value);
  }
  // A line of the readable form.
  void line(std::string text) { lines_.push_back(std::move(text)); }
  // The text of a message box that the library showed during the call
  // (system code page).
  void message(std::string text) { messages_.push_back(std::move(text)); }

  short result() const { return result_; }
  // 0 when the export returned 0, else 1.
  int exit_status() const { return result_ == 0 ? 0 : 1; }
  void print(bool json) const;

 private:
  short result_;
  std::string meaning_;
  nlohmann::ordered_json fields_ = nlohmann::ordered_json::object();
  std::vector<std::string> lines_;
  std::vector<std::string> messages_;
};

// Why no export answered, by exit status: a usage error, the DLL (missing
// or lacking an export), or dx7ctl itself.
enum class Failure { usage = 2, dll = 3, internal = 4 };

// Prints why (message, system code page) and gives the exit status. With
// json one object on standard output ({"error": "usage", "message": ...}),
// else a line on standard error.
int report_failure(bool json, Failure failure, const std::string& message);

// A window handle as text: 0x followed by hex digits; "0x0" for none.
std::string handle_text(const void* window);

}  // namespace dx7ctl
