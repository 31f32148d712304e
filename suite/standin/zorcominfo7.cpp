// Stand-in ZorComInfo7.dll: answers from the description file (description.h).
#include <windows.h>

#include <string>

#include "description.h"
#include "frame/suite.h"

namespace {

using standin::Description;
using standin::Fields;
namespace suite = dremoxa7::suite;

std::int16_t window_title(std::string_view keyword, std::string_view function, std::int16_t series,
                          std::int16_t number, char* title) {
  const Description description = Description::load();
  const std::optional<Fields> fields = description.find(keyword, {series, number});
  standin::put_text(title, suite::kTitleCapacity, fields ? fields->text() : std::string_view());
  // No line: an empty title, which is an answer of its own.
  return description.answer(function, number, standin::kOk,
                            standin::numbers_text({series, number}));
}

std::int16_t install_path(std::string_view keyword, std::string_view function, std::int16_t series,
                          std::int16_t* value, char* directory) {
  const Description description = Description::load();
  const std::optional<Fields> fields = description.find(keyword, {series});
  if (fields) {
    if (value != nullptr) *value = 0;
    standin::put_text(directory, suite::kInstallPathCapacity, fields->text());
  }
  return description.answer(function, series, standin::found_code(fields.has_value()),
                            standin::numbers_text({series}));
}

// Reads length bytes of the file at offset into buffer.
std::int16_t read_bytes(const char* path, std::int32_t offset, std::int32_t length, void* buffer) {
  if (path == nullptr) return standin::kCannotOpen;
  const dremoxa7::UniqueFile file = standin::open_for_reading(path);
  if (!file) return standin::kCannotOpen;
  LARGE_INTEGER size{};
  if (offset < 0 || length < 0 || (length > 0 && buffer == nullptr) ||
      !GetFileSizeEx(file.get(), &size) ||
      static_cast<long long>(offset) + length > size.QuadPart) {
    return standin::kOutOfFile;
  }
  if (length == 0) return standin::kOk;
  LARGE_INTEGER position{};
  position.QuadPart = offset;
  DWORD got = 0;
  if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) ||
      !ReadFile(file.get(), buffer, static_cast<DWORD>(length), &got, nullptr) ||
      got != static_cast<DWORD>(length)) {
    return standin::kOutOfFile;
  }
  return standin::kOk;
}

std::int16_t read_file(std::string_view function, const char* path, std::int32_t offset,
                       std::int32_t length, void* buffer) {
  const Description description = Description::load();
  const std::int16_t code = read_bytes(path, offset, length, buffer);
  return description.answer(
      function, offset, code,
      std::string(path ? path : "(null)") + ' ' + standin::numbers_text({offset, length}));
}

}  // namespace

extern "C" {

std::int16_t DREMOXA7_SUITE_CALL GetZorFuncWinTitle(std::int16_t series, std::int16_t function,
                                                    char* title) {
  return window_title("title", "GetZorFuncWinTitle", series, function, title);
}

std::int16_t DREMOXA7_SUITE_CALL QGetZorFuncWinTitle(std::int16_t series, std::int16_t function,
                                                     char* title) {
  return window_title("qtitle", "QGetZorFuncWinTitle", series, function, title);
}

std::int16_t DREMOXA7_SUITE_CALL GetZorExeNo(std::int16_t function, std::int16_t* number) {
  const Description description = Description::load();
  std::optional<Fields> fields = description.find("exeno", {function});
  long long value = 0;
  const bool found = fields && fields->number(value);
  if (found && number != nullptr) *number = static_cast<std::int16_t>(value);
  return description.answer("GetZorExeNo", function, standin::found_code(found),
                            standin::numbers_text({function}));
}

std::int16_t DREMOXA7_SUITE_CALL GetZorExeName(std::int16_t number, char* name, char* text2,
                                               char* text3) {
  const Description description = Description::load();
  const std::optional<Fields> fields = description.find("exename", {number});
  if (fields) {
    standin::put_text(name, suite::kExeNameCapacity, fields->text());
    standin::put_text(text2, suite::kExeNameCapacity, {});
    standin::put_text(text3, suite::kExeNameCapacity, {});
  }
  return description.answer("GetZorExeName", number, standin::found_code(fields.has_value()),
                            standin::numbers_text({number}));
}

std::int16_t DREMOXA7_SUITE_CALL GetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                   char* directory) {
  return install_path("installpath", "GetZorInstallPath", series, value, directory);
}

std::int16_t DREMOXA7_SUITE_CALL QGetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                    char* directory) {
  return install_path("qinstallpath", "QGetZorInstallPath", series, value, directory);
}

std::int16_t DREMOXA7_SUITE_CALL AGetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                    char* directory) {
  return install_path("ainstallpath", "AGetZorInstallPath", series, value, directory);
}

std::int16_t DREMOXA7_SUITE_CALL GetZorShortPacName(std::int16_t series, char* name) {
  const Description description = Description::load();
  const std::optional<Fields> fields = description.find("shortpac", {series});
  if (fields) standin::put_text(name, suite::kShortPacNameCapacity, fields->text());
  return description.answer("GetZorShortPacName", series, standin::found_code(fields.has_value()),
                            standin::numbers_text({series}));
}

std::int16_t DREMOXA7_SUITE_CALL GetZorWork1Info(std::int16_t selector, std::int16_t* flag,
                                                 char* path, char* text1, char* display,
                                                 char* text3) {
  const Description description = Description::load();
  std::optional<Fields> fields = description.find("work1", {});
  long long value = 0;
  const bool found = fields && fields->number(value);
  if (found) {
    if (flag != nullptr) *flag = static_cast<std::int16_t>(value);
    standin::put_text(path, suite::kWork1PathCapacity, {});
    standin::put_text(text1, suite::kWork1TextCapacity, {});
    standin::put_text(display, suite::kWork1TextCapacity, fields->text());
    standin::put_text(text3, suite::kWork1ShortCapacity, {});
  }
  return description.answer("GetZorWork1Info", selector, standin::found_code(found),
                            standin::numbers_text({selector}));
}

std::int16_t DREMOXA7_SUITE_CALL GetZorVerFileInfo(std::int16_t series, char* field1, char* field2,
                                                   char* field3, char* field4) {
  const Description description = Description::load();
  std::optional<Fields> fields = description.find("verfile", {series});
  std::string_view words[4];
  bool found = fields.has_value();
  for (std::string_view& word : words) found = found && fields->word(word);
  if (found) {
    standin::put_text(field1, suite::kVersionLongCapacity, words[0]);
    standin::put_text(field2, suite::kVersionShortCapacity, words[1]);
    standin::put_text(field3, suite::kVersionShortCapacity, words[2]);
    standin::put_text(field4, suite::kVersionLongCapacity, words[3]);
  }
  return description.answer("GetZorVerFileInfo", series, standin::found_code(found),
                            standin::numbers_text({series}));
}

std::int16_t DREMOXA7_SUITE_CALL ZorFileRead2(const char* path, std::int32_t offset,
                                              std::int32_t length, void* buffer) {
  return read_file("ZorFileRead2", path, offset, length, buffer);
}

std::int16_t DREMOXA7_SUITE_CALL ZorFileRead(const char* path, std::int32_t offset,
                                             std::int32_t length, void* buffer) {
  return read_file("ZorFileRead", path, offset, length, buffer);
}

}  // extern "C"
