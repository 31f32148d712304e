// The description file that the stand-in suite DLLs answer from.
//
// Each stand-in DLL (ZorComInfo7.dll, cpuspec.dll, codedb.dll) reads the
// plain text file "suite-standin.txt" in its own directory on every call, so
// a test may rewrite it between two calls. A missing file describes nothing.
// Only the first 64 KiB of the file are read.
//
// One entry per line; fields are separated by blanks (spaces or tabs);
// blank lines and lines starting with '#' are ignored; numbers are decimal
// and may be negative. Where a line ends in TEXT, the text runs from the
// first non-blank character after the previous field to the end of the line
// (trailing blanks kept, a final CR dropped) and may be empty. A WORD is one
// blank-free field; a WORD of a single '-' stands for the empty text.
//
//   title       SERIES FUNCTION TEXT    GetZorFuncWinTitle: window-title prefix
//   qtitle      SERIES FUNCTION TEXT    QGetZorFuncWinTitle
//   exeno       FUNCTION NUMBER         GetZorExeNo
//   exename     NUMBER TEXT             GetZorExeName: base name (the two
//                                       further texts are answered empty)
//   installpath SERIES TEXT             GetZorInstallPath (the 16-bit value: 0)
//   qinstallpath SERIES TEXT            QGetZorInstallPath
//   ainstallpath SERIES TEXT            AGetZorInstallPath
//   shortpac    SERIES TEXT             GetZorShortPacName
//   work1       FLAG TEXT               GetZorWork1Info (any selector): the
//                                       flag and the display text; the other
//                                       texts are answered empty
//   verfile     SERIES WORD WORD WORD WORD   GetZorVerFileInfo: fields 1 to 4
//   cpuspec     TYPE QUALIFIER AXES EXTRA    CDbCpuSpec: axisCount (offset 0)
//                                       and extraSlotGroups (offset 20), both
//                                       32-bit little-endian
//   codetomcode TYPECODE CONVERTED      QHA_CodeToMCode, first argument 3 only
//   codeinf     CONVERTED BYTE          M_Codeinf: the record's first byte
//   fail        FUNCTION CODE [KEY]     the named function answers CODE, for
//                                       every call or only for calls whose
//                                       key argument is KEY (see below)
//   log         TEXT                    appends one line per call to the file
//                                       named by TEXT: name, arguments, answer
//
// The first matching line wins. A call answers 0 when it found its line, and
// 2 (kNoEntry) when none matches, except the two title calls, which answer 0
// with an empty title: an empty title means "this tool is not searched".
// ZorFileRead and ZorFileRead2 read the real file: 3 (kCannotOpen) when it
// cannot be opened, 5 (kOutOfFile) when the range lies outside it or the
// offset or length is negative.
//
// A matching fail line sets the answer, but the call still writes what its
// data line gives (a forced failure must not be mistaken for the outputs).
// Key argument per function: the function number for the title calls and
// GetZorExeNo; the executable number for GetZorExeName; the series for the
// install path, short package name and version calls; the selector for
// GetZorWork1Info; the offset for the file reads; the CPU type for
// CDbCpuSpec; the type code for QHA_CodeToMCode; the converted code for
// M_Codeinf.
//
// Record bytes that no line gives (CDbCpuSpec, M_Codeinf) are filled with
// kFiller, so that a caller reading them stands out. Every text is cut to
// its buffer's capacity and terminated.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"
#include "base/win32_owners.h"

namespace standin {

inline constexpr std::int16_t kOk = 0;
inline constexpr std::int16_t kNoEntry = 2;
inline constexpr std::int16_t kCannotOpen = 3;
inline constexpr std::int16_t kOutOfFile = 5;
inline constexpr unsigned char kFiller = 0xCD;

inline constexpr char kFileName[] = "suite-standin.txt";

// The fields of one line after its keyword, read from left to right.
class Fields {
 public:
  explicit Fields(std::string_view line) : line_(line) {}

  // The next blank-separated field as a decimal number.
  bool number(long long& value);
  // The next blank-separated field; "-" gives the empty text.
  bool word(std::string_view& value);
  // Everything after the blanks that follow the fields read so far.
  std::string_view text() const;

 private:
  std::string_view next_field();
  std::string_view line_;
};

class Description {
 public:
  // Reads the description file beside the module that holds this code.
  static Description load();
  // A description given as text (for checking the parser itself).
  explicit Description(std::string text) : text_(std::move(text)) {}

  // The fields that follow the keys of the first line "KEYWORD KEYS...".
  std::optional<Fields> find(std::string_view keyword, std::initializer_list<long long> keys) const;

  // The code of the first fail line for this function and key argument.
  std::optional<std::int16_t> failure(std::string_view function, long long key) const;

  // What a call answers: the code of its fail line if there is one, else its
  // own code. Logs "FUNCTION ARGUMENTS -> ANSWER" when a log file is named.
  std::int16_t answer(std::string_view function, long long key, std::int16_t own_code,
                      std::string_view arguments) const;

 private:
  void record(std::string_view function, std::string_view arguments, std::int16_t answer) const;
  template <class Visit>
  void for_each_line(Visit visit) const;

  std::string text_;
};

// The own code of a call that looked up one line.
inline std::int16_t found_code(bool found) { return found ? kOk : kNoEntry; }

// Copies text into out (capacity bytes), cut and terminated. Null out: no-op.
inline void put_text(char* out, std::size_t capacity, std::string_view text) {
  if (out != nullptr) dremoxa7::copy_text(out, capacity, text);
}

// Opens an existing file for reading, letting others read, write or delete
// it (a test may rewrite a file between two calls).
dremoxa7::UniqueFile open_for_reading(const char* path);

// "a b c" from the numbers given, for the call log.
std::string numbers_text(std::initializer_list<long long> numbers);

}  // namespace standin
