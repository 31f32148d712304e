#include "description.h"

#include <windows.h>

#include <charconv>

namespace standin {
namespace {

constexpr DWORD kMaxDescriptionBytes = 64 * 1024;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view skip_blanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && is_blank(s[i])) ++i;
  return s.substr(i);
}

bool parse_number(std::string_view field, long long& value) {
  if (field.empty()) return false;
  const char* end = field.data() + field.size();
  const auto [last, error] = std::from_chars(field.data(), end, value);
  return error == std::errc() && last == end;
}

// The description file's path: this module's directory + kFileName.
bool description_path(char* path, std::size_t capacity) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&description_path), &module)) {
    return false;
  }
  const DWORD n = GetModuleFileNameA(module, path, static_cast<DWORD>(capacity));
  if (n == 0 || n >= capacity) return false;
  std::string_view name(path, n);
  const std::size_t slash = name.find_last_of("\\/");
  const std::size_t directory_size = slash == std::string_view::npos ? 0 : slash + 1;
  if (directory_size + sizeof kFileName > capacity) return false;
  dremoxa7::copy_text(path + directory_size, capacity - directory_size, kFileName);
  return true;
}

std::string read_description() {
  char path[MAX_PATH + 1] = {};
  if (!description_path(path, sizeof path)) return {};
  const dremoxa7::UniqueFile file = open_for_reading(path);
  if (!file) return {};
  std::string text(kMaxDescriptionBytes, '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), kMaxDescriptionBytes, &got, nullptr)) got = 0;
  text.resize(got);
  return text;
}

}  // namespace

std::string_view Fields::next_field() {
  line_ = skip_blanks(line_);
  std::size_t n = 0;
  while (n < line_.size() && !is_blank(line_[n])) ++n;
  const std::string_view field = line_.substr(0, n);
  line_ = line_.substr(n);
  return field;
}

bool Fields::number(long long& value) { return parse_number(next_field(), value); }

bool Fields::word(std::string_view& value) {
  value = next_field();
  if (value.empty()) return false;
  if (value == "-") value = {};
  return true;
}

std::string_view Fields::text() const { return skip_blanks(line_); }

Description Description::load() { return Description(read_description()); }

template <class Visit>
void Description::for_each_line(Visit visit) const {
  std::string_view rest = text_;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view content = skip_blanks(line);
    if (content.empty() || content.front() == '#') continue;
    if (!visit(content)) return;
  }
}

std::optional<Fields> Description::find(std::string_view keyword,
                                        std::initializer_list<long long> keys) const {
  std::optional<Fields> found;
  for_each_line([&](std::string_view line) {
    Fields fields(line);
    std::string_view word;
    if (!fields.word(word) || word != keyword) return true;
    for (const long long key : keys) {
      long long value = 0;
      if (!fields.number(value) || value != key) return true;
    }
    found = fields;
    return false;
  });
  return found;
}

std::optional<std::int16_t> Description::failure(std::string_view function, long long key) const {
  std::optional<std::int16_t> code;
  for_each_line([&](std::string_view line) {
    Fields fields(line);
    std::string_view word;
    long long value = 0;
    if (!fields.word(word) || word != "fail") return true;
    if (!fields.word(word) || word != function || !fields.number(value)) return true;
    long long only_key = 0;
    if (fields.number(only_key) && only_key != key) return true;
    code = static_cast<std::int16_t>(value);
    return false;
  });
  return code;
}

std::int16_t Description::answer(std::string_view function, long long key, std::int16_t own_code,
                                 std::string_view arguments) const {
  const std::int16_t code = failure(function, key).value_or(own_code);
  record(function, arguments, code);
  return code;
}

void Description::record(std::string_view function, std::string_view arguments,
                         std::int16_t answer) const {
  const std::optional<Fields> log = find("log", {});
  if (!log) return;
  const std::string path(log->text());
  if (path.empty()) return;
  const dremoxa7::UniqueFile file(CreateFileA(
      path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  std::string line(function);
  line += ' ';
  line += arguments;
  line += " -> ";
  line += std::to_string(answer);
  line += "\r\n";
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

dremoxa7::UniqueFile open_for_reading(const char* path) {
  return dremoxa7::UniqueFile(CreateFileA(path, GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string numbers_text(std::initializer_list<long long> numbers) {
  std::string text;
  for (const long long number : numbers) {
    if (!text.empty()) text += ' ';
    text += std::to_string(number);
  }
  return text;
}

}  // namespace standin
