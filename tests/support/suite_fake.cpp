#include "suite_fake.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "base/text.h"
#include "frame/suite.h"
#include "platform/host/host_control.h"

namespace dremoxa7::fake {

Suite& suite() {
  static Suite instance;
  return instance;
}

void reset_suite() {
  const auto lock = lock_suite();
  suite() = Suite{};
}

std::unique_lock<std::recursive_mutex> lock_suite() {
  static std::recursive_mutex mutex;
  return std::unique_lock(mutex);
}

std::int16_t Suite::failure(const std::string& name, long key) const {
  const auto by_name = failures.find(name);
  if (by_name == failures.end()) return 0;
  for (long k : {key, -1L}) {
    const auto code = by_name->second.find(k);
    if (code != by_name->second.end()) return code->second;
  }
  return 0;
}

void Suite::answer_text(char* buffer, std::size_t capacity, const std::string& text) const {
  if (fill_buffers && text.size() >= capacity) {
    std::memcpy(buffer, text.data(), capacity);
  } else {
    copy_text(buffer, capacity, text);
  }
}

void Suite::record(Call call) {
  call.files_open = host::open_file_count();
  calls.push_back(std::move(call));
}

std::vector<Call> Suite::calls_of(const std::string& name) const {
  std::vector<Call> out;
  for (const Call& call : calls) {
    if (call.name == name) out.push_back(call);
  }
  return out;
}

void Suite::set_cpu_spec(int cpu_type, std::int32_t axis_count, std::int32_t extra_slot_groups) {
  std::array<std::uint8_t, 40> record{};
  for (int i = 0; i < 4; ++i) {
    record[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(axis_count) >> (8 * i));
    record[20 + i] =
        static_cast<std::uint8_t>(static_cast<std::uint32_t>(extra_slot_groups) >> (8 * i));
  }
  cpu_specs[cpu_type] = record;
}

namespace {

template <class Map, class Key>
auto value_or(const Map& map, const Key& key, typename Map::mapped_type fallback) {
  const auto it = map.find(key);
  return it != map.end() ? it->second : fallback;
}

std::int16_t answer_install_path(const char* name, const std::map<int, std::string>& table,
                                 std::int16_t series, std::int16_t* value, char* directory) {
  Suite& s = suite();
  s.record({name, {series}, {}});
  if (const std::int16_t code = s.failure(name, series)) return code;
  *value = 0;
  s.answer_text(directory, suite::kInstallPathCapacity, value_or(table, series, std::string()));
  return 0;
}

std::int16_t answer_title(const char* name, const std::map<std::pair<int, int>, std::string>& table,
                          std::int16_t series, std::int16_t function, char* title) {
  Suite& s = suite();
  s.record({name, {series, function}, {}});
  if (const std::int16_t code = s.failure(name, function)) return code;
  const auto it = table.find({series, function});
  s.answer_text(title, suite::kTitleCapacity, it != table.end() ? it->second : "");
  return 0;
}

// Reads length bytes at offset of the real file behind path.
std::int16_t read_file(const char* name, const char* path, std::int32_t offset, std::int32_t length,
                       void* buffer) {
  Suite& s = suite();
  const std::string text = path != nullptr ? path : "";
  s.record({name, {offset, length}, text});
  if (const std::int16_t code = s.failure(name, offset)) return code;
  std::ifstream file(host::host_path(text), std::ios::binary);
  if (!file) return 3;
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (offset < 0 || length < 0 || static_cast<std::size_t>(offset) + length > bytes.size())
    return 5;
  std::memcpy(buffer, bytes.data() + offset, static_cast<std::size_t>(length));
  return 0;
}

}  // namespace
}  // namespace dremoxa7::fake

using dremoxa7::copy_text;
using dremoxa7::fake::answer_install_path;
using dremoxa7::fake::answer_title;
using dremoxa7::fake::read_file;
using dremoxa7::fake::suite;
using dremoxa7::fake::value_or;
namespace suite_limits = dremoxa7::suite;

extern "C" {

std::int16_t GetZorFuncWinTitle(std::int16_t series, std::int16_t function, char* title) {
  const auto lock = dremoxa7::fake::lock_suite();
  return answer_title("GetZorFuncWinTitle", suite().titles, series, function, title);
}

std::int16_t QGetZorFuncWinTitle(std::int16_t series, std::int16_t function, char* title) {
  const auto lock = dremoxa7::fake::lock_suite();
  return answer_title("QGetZorFuncWinTitle", suite().q_titles, series, function, title);
}

std::int16_t GetZorExeNo(std::int16_t function, std::int16_t* number) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"GetZorExeNo", {function}, {}});
  if (const std::int16_t code = s.failure("GetZorExeNo", function)) return code;
  *number = value_or(s.exe_numbers, function, std::int16_t{0});
  return 0;
}

std::int16_t GetZorExeName(std::int16_t number, char* name, char* text2, char* text3) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"GetZorExeName", {number}, {}});
  if (const std::int16_t code = s.failure("GetZorExeName", number)) return code;
  s.answer_text(name, suite_limits::kExeNameCapacity, value_or(s.exe_names, number, std::string()));
  copy_text(text2, suite_limits::kExeNameCapacity, "second");
  copy_text(text3, suite_limits::kExeNameCapacity, "third");
  return 0;
}

std::int16_t GetZorInstallPath(std::int16_t series, std::int16_t* value, char* directory) {
  const auto lock = dremoxa7::fake::lock_suite();
  return answer_install_path("GetZorInstallPath", suite().install_paths, series, value, directory);
}

std::int16_t QGetZorInstallPath(std::int16_t series, std::int16_t* value, char* directory) {
  const auto lock = dremoxa7::fake::lock_suite();
  return answer_install_path("QGetZorInstallPath", suite().q_install_paths, series, value,
                             directory);
}

std::int16_t AGetZorInstallPath(std::int16_t series, std::int16_t* value, char* directory) {
  const auto lock = dremoxa7::fake::lock_suite();
  return answer_install_path("AGetZorInstallPath", suite().a_install_paths, series, value,
                             directory);
}

std::int16_t GetZorShortPacName(std::int16_t series, char* name) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"GetZorShortPacName", {series}, {}});
  if (const std::int16_t code = s.failure("GetZorShortPacName", series)) {
    const std::string& left = s.short_pac_name_on_failure;
    std::memcpy(name, left.data(),
                std::min(left.size(), std::size_t{suite_limits::kShortPacNameCapacity}));
    return code;
  }
  s.answer_text(name, suite_limits::kShortPacNameCapacity,
                value_or(s.short_pac_names, series, std::string()));
  return 0;
}

std::int16_t GetZorWork1Info(std::int16_t selector, std::int16_t* flag, char* path, char* text1,
                             char* display, char* text3) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"GetZorWork1Info", {selector}, {}});
  if (const std::int16_t code = s.failure("GetZorWork1Info", selector)) return code;
  *flag = s.work1_flag;
  copy_text(path, suite_limits::kWork1PathCapacity, "work path");
  copy_text(text1, suite_limits::kWork1TextCapacity, "work text");
  s.answer_text(display, suite_limits::kWork1TextCapacity, s.work1_display);
  copy_text(text3, suite_limits::kWork1ShortCapacity, "work short");
  return 0;
}

std::int16_t GetZorVerFileInfo(std::int16_t series, char* field1, char* field2, char* field3,
                               char* field4) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"GetZorVerFileInfo", {series}, {}});
  if (const std::int16_t code = s.failure("GetZorVerFileInfo", series)) return code;
  const auto fields = value_or(s.version_fields, series, std::array<std::string, 4>{});
  s.answer_text(field1, suite_limits::kVersionLongCapacity, fields[0]);
  s.answer_text(field2, suite_limits::kVersionShortCapacity, fields[1]);
  s.answer_text(field3, suite_limits::kVersionShortCapacity, fields[2]);
  s.answer_text(field4, suite_limits::kVersionLongCapacity, fields[3]);
  return 0;
}

std::int16_t ZorFileRead2(const char* path, std::int32_t offset, std::int32_t length,
                          void* buffer) {
  const auto lock = dremoxa7::fake::lock_suite();
  return read_file("ZorFileRead2", path, offset, length, buffer);
}

std::int16_t ZorFileRead(const char* path, std::int32_t offset, std::int32_t length, void* buffer) {
  const auto lock = dremoxa7::fake::lock_suite();
  return read_file("ZorFileRead", path, offset, length, buffer);
}

std::int16_t CDbCpuSpec(std::int16_t cpu_type, std::int32_t qualifier, void* record) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"CDbCpuSpec", {cpu_type, qualifier}, {}});
  if (const std::int16_t code = s.failure("CDbCpuSpec", cpu_type)) return code;
  const auto answer = value_or(s.cpu_specs, cpu_type, std::array<std::uint8_t, 40>{});
  std::memcpy(record, answer.data(), answer.size());
  return 0;
}

std::int16_t QHA_CodeToMCode(std::int16_t kind, std::int16_t type_code, std::int32_t* converted) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"QHA_CodeToMCode", {kind, type_code}, {}});
  if (const std::int16_t code = s.failure("QHA_CodeToMCode", type_code)) return code;
  *converted = value_or(s.converted_codes, type_code, std::int32_t{0});
  return 0;
}

std::int16_t M_Codeinf(std::int32_t converted, void* record) {
  const auto lock = dremoxa7::fake::lock_suite();
  auto& s = suite();
  s.record({"M_Codeinf", {converted}, {}});
  if (const std::int16_t code = s.failure("M_Codeinf", converted)) return code;
  const auto info = value_or(s.code_infos, converted, std::array<std::uint8_t, 32>{});
  std::memcpy(record, info.data(), info.size());
  return 0;
}

}  // extern "C"
