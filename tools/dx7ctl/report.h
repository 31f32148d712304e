// What one dx7ctl call answers: the export's result code and its outputs,
// printed as readable lines or as one JSON object.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace dx7ctl {

// ok, out_of_range, no_executable, refused, not_found, unreadable, or
// passed_through for a code of a suite library.
std::string result_name(short result);

class Report {
 public:
  explicit Report(short result) : result_(result) {}

  // An output, as a JSON field.
  template <class T>
  void set(const std::string& name, T&& value) {
    fields_[name] = std::forward<T>(value);
  }
  // A line of the readable form.
  void line(std::string text) { lines_.push_back(std::move(text)); }

  short result() const { return result_; }
  // 0 when the export returned 0, else 1.
  int exit_status() const { return result_ == 0 ? 0 : 1; }
  void print(bool json) const;

 private:
  short result_;
  nlohmann::ordered_json fields_ = nlohmann::ordered_json::object();
  std::vector<std::string> lines_;
};

// A window handle as text: 0x followed by hex digits; "0x0" for none.
std::string handle_text(const void* window);

}  // namespace dx7ctl
