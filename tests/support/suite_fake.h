// A programmable stand-in for the three suite libraries in host tests.
//
// Every call answers from the tables below or with a forced code, and is
// recorded with its arguments.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dremoxa7::fake {

struct Call {
  std::string name;
  std::vector<long> numbers;  // the integer arguments, in order
  std::string text;           // a text argument, if the call takes one
  bool operator==(const Call&) const = default;
};

struct Suite {
  // Window-title prefixes by (series, function); none = empty title.
  std::map<std::pair<int, int>, std::string> titles;
  std::map<std::pair<int, int>, std::string> q_titles;

  // Forced answers: by call name, then by the call's key argument (the
  // function number for the title calls), or -1 for every call.
  std::map<std::string, std::map<long, std::int16_t>> failures;

  std::vector<Call> calls;

  // The forced code for this call, or 0.
  std::int16_t failure(const std::string& name, long key) const;

  // The recorded calls of that name.
  std::vector<Call> calls_of(const std::string& name) const;
};

Suite& suite();
void reset_suite();

}  // namespace dremoxa7::fake
