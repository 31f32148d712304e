// A programmable stand-in for the three suite libraries in host tests.
//
// Every call answers from the tables below or with a forced code, and is
// recorded with its arguments.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace dremoxa7::fake {

struct Call {
  std::string name;
  std::vector<long> numbers;  // the integer arguments, in order
  std::string text;           // a text argument, if the call takes one
  int files_open = 0;         // files the library held open at the call
  bool operator==(const Call&) const = default;
};

struct Suite {
  // Window-title prefixes by (series, function); none = empty title.
  std::map<std::pair<int, int>, std::string> titles;
  std::map<std::pair<int, int>, std::string> q_titles;

  // Executables: number by function, base name by number.
  std::map<int, std::int16_t> exe_numbers;
  std::map<int, std::string> exe_names;

  // Install directories by series, for each install-directory call.
  std::map<int, std::string> install_paths;
  std::map<int, std::string> q_install_paths;
  std::map<int, std::string> a_install_paths;

  // Short package names by series.
  std::map<int, std::string> short_pac_names;
  // What a forced failure of GetZorShortPacName leaves in the name buffer,
  // as a library that fails half-way may do (cut to the buffer, without a
  // terminator when it fills it); empty: the buffer is left alone.
  std::string short_pac_name_on_failure;

  // The work 1 information (any selector): its flag and its display text.
  std::int16_t work1_flag = 0;
  std::string work1_display;

  // Version fields 1 to 4 by series.
  std::map<int, std::array<std::string, 4>> version_fields;

  // ZorFileRead and ZorFileRead2 read the real file behind the path (as the
  // host model maps it): 3 when it cannot be opened, 5 when the range lies
  // outside the file or the offset or length is negative.

  // CPU specification records by CPU type (40 bytes; unknown types: zero).
  std::map<int, std::array<std::uint8_t, 40>> cpu_specs;
  // Sets axisCount (offset 0) and extraSlotGroups (offset 20) of a type.
  void set_cpu_spec(int cpu_type, std::int32_t axis_count, std::int32_t extra_slot_groups = 0);

  // Code conversions: converted code by type code, and the code
  // information record (32 bytes) by converted code. Unknown: zero.
  std::map<int, std::int32_t> converted_codes;
  std::map<std::int32_t, std::array<std::uint8_t, 32>> code_infos;

  // Forced answers: by call name, then by the call's key argument (the
  // function number for the title calls and GetZorExeNo, the executable
  // number for GetZorExeName, the series for the install-directory calls,
  // the CPU type for CDbCpuSpec, the type code for QHA_CodeToMCode and the
  // converted code for M_Codeinf), or -1 for every call.
  std::map<std::string, std::map<long, std::int16_t>> failures;

  // A text that fills its whole buffer is answered without a terminator,
  // as a suite library may do.
  bool fill_buffers = false;

  // Answers a text into a buffer of capacity bytes.
  void answer_text(char* buffer, std::size_t capacity, const std::string& text) const;

  std::vector<Call> calls;

  // Records a call, with the files the library holds open at that moment.
  void record(Call call);

  // The forced code for this call, or 0.
  std::int16_t failure(const std::string& name, long key) const;

  // The recorded calls of that name.
  std::vector<Call> calls_of(const std::string& name) const;
};

Suite& suite();
void reset_suite();

// The library may call the suite from several threads at once: every call
// of the fake holds this lock while it answers and records.
[[nodiscard]] std::unique_lock<std::recursive_mutex> lock_suite();

}  // namespace dremoxa7::fake
