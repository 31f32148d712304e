// Files of a controller project and of the library's own directory, built
// byte by byte by the end-to-end tests, and the answers the queries give
// for them: the configuration file's CPU records and their status-bar
// texts, the system files and their axis tables, and the stand-in suite
// libraries' description that goes with them.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "wait.h"

namespace e2e {

// --- Files ------------------------------------------------------------------

using dremoxa7::FileImage;

// Files and directories created under a base directory (ending in a
// backslash) for one test, removed again, newest first, when it ends. The
// base itself is created and removed too when the scratch owns it.
class Scratch {
 public:
  Scratch(std::string base, bool owns_base) : base_(std::move(base)), owns_base_(owns_base) {
    if (owns_base_) CreateDirectoryA(base_.c_str(), nullptr);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  ~Scratch() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) remove(it->first, it->second);
    if (owns_base_) RemoveDirectoryA(base_.c_str());
  }

  const std::string& base() const { return base_; }
  std::string path(std::string_view name) const { return base_ + std::string(name); }

  // A name that no test of this program leaves behind, in case an earlier
  // run was cut short.
  void clear(std::string_view name) const { DeleteFileA(path(name).c_str()); }

  void write(std::string_view name, const FileImage& image) {
    record(name, false);
    std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.bytes().data()),
               static_cast<std::streamsize>(image.bytes().size()));
  }
  void write(std::string_view name, std::string_view text) {
    write(name, FileImage(text.size()).text(0, text));
  }
  // A copy of the file at from.
  void copy(std::string_view name, const std::string& from) {
    record(name, false);
    CopyFileA(from.c_str(), path(name).c_str(), FALSE);
  }
  void make_directory(std::string_view name) {
    record(name, true);
    CreateDirectoryA(path(name).c_str(), nullptr);
  }

 private:
  void record(std::string_view name, bool directory) {
    const std::string full = path(name);
    for (const auto& entry : created_) {
      if (entry.first == full) return;
    }
    created_.emplace_back(full, directory);
  }
  // A process that held the file may take a moment to let go of it.
  static void remove(const std::string& path, bool directory) {
    wait_until([&] {
      if (directory ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str())) return true;
      const DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    });
  }

  std::string base_;
  bool owns_base_;
  std::vector<std::pair<std::string, bool>> created_;
};

// --- Configuration file -----------------------------------------------------

inline constexpr char kConfigurationFile[] = "Zorposcom.cnf";
inline constexpr char kVersionFile[] = "Zorp.ver";

// A configuration file of size bytes (274 holds all 18 CPU records): a
// header the library does not read, and records 0, 5, 9 and 17.
inline FileImage configuration(std::size_t size = 274) {
  FileImage image(size, ' ');
  image.text(0, "CNF-HEADER-NOT-READ!!!");
  const auto record = [&](int index, std::string_view text) {
    const std::size_t offset = 22 + 14 * static_cast<std::size_t>(index);
    if (offset + text.size() <= size) image.text(offset, text);
  };
  record(0, "AB12");
  record(5, "  XY9 Z");
  record(9, "Q7");
  record(17, "ABCDEFGHIJKLMN");
  return image;
}

// The texts of those records.
inline constexpr char kRecord0Text[] = "    CPU : AB12    ";
inline constexpr char kRecord5Text[] = "    CPU : XY9     ";
inline constexpr char kRecord9Text[] = "     CPU : Q7     ";
inline constexpr char kRecord17Text[] = "CPU : ABCDEFGHIJKLMN";

// --- System files -------------------------------------------------------------

using AxisTable = std::array<unsigned char, DREMOXA7_AXIS_TABLE_SIZE>;

inline AxisTable marked_table() {
  AxisTable table;
  table.fill(0xEE);
  return table;
}

constexpr unsigned char u8(int value) { return static_cast<unsigned char>(value); }

// The entries in use, or "untouched" for a table as marked_table() left it:
// shorter to read than 256 bytes when a comparison fails.
inline std::string describe(const AxisTable& table) {
  if (table == marked_table()) return "untouched";
  std::string text;
  for (int axis = 1; axis <= 32; ++axis) {
    const unsigned char* entry = table.data() + 8 * (axis - 1);
    if (std::all_of(entry, entry + 8, [](unsigned char b) { return b == 0; })) continue;
    char line[64] = {};
    std::snprintf(line, sizeof line, "axis %d: %02X %02X %02X %02X %02X %02X %02X %02X\n", axis,
                  entry[0], entry[1], entry[2], entry[3], entry[4], entry[5], entry[6], entry[7]);
    text += line;
  }
  return text.empty() ? "all zero" : text;
}

// Entry of axis (1..32): used, source, type code, detail code, mark, extra.
inline AxisTable& set_entry(AxisTable& table, int axis, std::array<unsigned char, 6> bytes) {
  std::memcpy(table.data() + 8 * (axis - 1), bytes.data(), bytes.size());
  return table;
}

inline constexpr char kTempSystemFile[] = "Temp\\axsystem.bin";
inline constexpr char kSystemFile[] = "axsystem.bin";
inline constexpr char kTempHFile[] = "Temp\\axsystemH.bin";
inline constexpr char kHFile[] = "axsystemH.bin";

// Every CPU type the tests use has 4 axes and no extra slot groups.
inline constexpr int kAxisCount = 4;

// A system file that both series can read, its codes telling it from the
// others (tag): for the first series (small layout) axis entry 0 names axis
// 1 and the list names it; for the second, axis entry 0 names axis 2 and
// the list names it.
inline FileImage system_file(int tag) {
  return FileImage(1360)
      .set(106, {0x01, u8(tag), u8(tag + 1), u8(tag + 2), 0x99, 0x99})
      .set(154, {1})
      .set(805, {0x02, u8(tag + 3), u8(tag + 4), u8(tag + 5), 0x99, 0x99})
      .set(997, {2});
}

inline AxisTable first_series_table(int tag) {
  AxisTable table{};
  return set_entry(table, 1, {1, 2, u8(tag), u8(tag + 1), 1, u8(tag + 2)});
}

inline AxisTable second_series_table(int tag) {
  AxisTable table{};
  return set_entry(table, 2, {1, 2, u8(tag + 3), u8(tag + 4), 1, u8(tag + 5)});
}

// An H file: axis 3 with type code first_type and its flag set; axis 4
// with type code 35, flag set and named by the list. Bytes 2, 3 and 5 of
// the entries are not for the table.
inline FileImage h_file(unsigned char first_type) {
  return FileImage(1360)
      .set(805, {0x03, first_type, 0x77, 0x77, 1, 0x77})
      .set(811, {0x04, 35, 0x77, 0x77, 1, 0x77})
      .set(997, {4});
}

// Their tables, the detail codes from the code library (below).
inline AxisTable h_table(unsigned char first_type, unsigned char first_detail) {
  AxisTable table{};
  set_entry(table, 3, {1, 3, first_type, first_detail, 2, 0});
  return set_entry(table, 4, {1, 3, 35, 66, 1, 0});
}

// The CPU and code libraries' answers: type codes 33, 34 and 35 convert to
// detail codes 44, 55 and 66.
inline constexpr char kQualifierText[] = "-123456789";
inline constexpr int kQualifier = -123456789;

inline std::string suite_description(std::string_view more = "") {
  std::string text;
  for (const char* type : {"1", "14", "15", "16"}) {
    text += "cpuspec " + std::string(type) + " " + kQualifierText + " " +
            std::to_string(kAxisCount) + " 0\n";
  }
  text +=
      "codetomcode 33 70000\n"
      "codetomcode 34 80000\n"
      "codetomcode 35 90000\n"
      "codeinf 70000 44\n"
      "codeinf 80000 55\n"
      "codeinf 90000 66\n";
  return std::string(more) + text;
}

// The four system files of a project, each with its own codes.
inline void write_system_files(Scratch& project) {
  project.make_directory("Temp");
  project.write(kTempSystemFile, system_file(0x20));
  project.write(kSystemFile, system_file(0x40));
  project.write(kTempHFile, h_file(33));
  project.write(kHFile, h_file(34));
}

}  // namespace e2e
