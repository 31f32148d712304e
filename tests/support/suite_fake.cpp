#include "suite_fake.h"

#include "frame/suite.h"
#include "frame/text.h"

namespace dremoxa7::fake {

Suite& suite() {
  static Suite instance;
  return instance;
}

void reset_suite() { suite() = Suite{}; }

std::int16_t Suite::failure(const std::string& name, long key) const {
  const auto by_name = failures.find(name);
  if (by_name == failures.end()) return 0;
  for (long k : {key, -1L}) {
    const auto code = by_name->second.find(k);
    if (code != by_name->second.end()) return code->second;
  }
  return 0;
}

std::vector<Call> Suite::calls_of(const std::string& name) const {
  std::vector<Call> out;
  for (const Call& call : calls) {
    if (call.name == name) out.push_back(call);
  }
  return out;
}

namespace {

std::int16_t answer_title(const char* name, const std::map<std::pair<int, int>, std::string>& table,
                          std::int16_t series, std::int16_t function, char* title) {
  Suite& s = suite();
  s.calls.push_back({name, {series, function}, {}});
  if (const std::int16_t code = s.failure(name, function)) return code;
  const auto it = table.find({series, function});
  copy_text(title, suite::kTitleCapacity, it != table.end() ? it->second : "");
  return 0;
}

}  // namespace
}  // namespace dremoxa7::fake

using dremoxa7::fake::answer_title;
using dremoxa7::fake::suite;

extern "C" {

std::int16_t GetZorFuncWinTitle(std::int16_t series, std::int16_t function, char* title) {
  return answer_title("GetZorFuncWinTitle", suite().titles, series, function, title);
}

std::int16_t QGetZorFuncWinTitle(std::int16_t series, std::int16_t function, char* title) {
  return answer_title("QGetZorFuncWinTitle", suite().q_titles, series, function, title);
}

}  // extern "C"
