// Shared fixture of the axis usage tests: a project directory on drive P:
// of the host model, and the caller's table with guard bytes after it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {

using AxisQuery = short (*)(const char*, short, int, unsigned char*);
using AxisTableBytes = std::array<std::uint8_t, DREMOXA7_AXIS_TABLE_SIZE>;

// One expected table entry: axis number and bytes 0 to 5 (bytes 6 and 7
// are always 0).
struct AxisEntry {
  int axis;
  std::uint8_t used, source, type_code, detail_code, mark, extra;
};

inline AxisTableBytes table_of(const std::vector<AxisEntry>& entries) {
  AxisTableBytes table{};
  for (const AxisEntry& e : entries) {
    std::uint8_t* entry = &table[(e.axis - 1) * 8];
    const std::uint8_t bytes[] = {e.used, e.source, e.type_code, e.detail_code, e.mark, e.extra};
    std::memcpy(entry, bytes, sizeof bytes);
  }
  return table;
}

// Compares entry by entry, so that a failure names the axis.
inline void expect_table(const AxisTableBytes& actual, const AxisTableBytes& expected) {
  for (std::size_t axis = 1; axis <= 32; ++axis) {
    const auto entry = [axis](const AxisTableBytes& table) {
      return std::vector<int>(table.begin() + (axis - 1) * 8, table.begin() + axis * 8);
    };
    EXPECT_EQ(entry(actual), entry(expected)) << "axis " << axis;
  }
}

// What the caller's table holds before each query.
constexpr std::uint8_t kUntouchedByte = 0xEE;
inline AxisTableBytes untouched_table() {
  AxisTableBytes table;
  table.fill(kUntouchedByte);
  return table;
}

class AxisQueryTest : public LibraryTest {
 protected:
  static constexpr const char* kProject = "P:\\Proj\\";
  static constexpr std::int16_t kCpuType = 7;

  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('P', drive_.path().string());
  }

  // relative: '/'-separated below the project directory.
  void write(const std::string& relative, const FileImage& image) {
    drive_.write("Proj/" + relative, image.bytes());
  }

  struct Answer {
    short result;
    AxisTableBytes table;
  };

  // A failed query: its code, the caller's table untouched, the file work
  // counted since the last counter reset, and nothing read.
  static void expect_failure(const Answer& answer, short result, long existence_tests, long opens) {
    EXPECT_EQ(answer.result, result);
    expect_table(answer.table, untouched_table());
    EXPECT_EQ(host::counters().existence_tests, existence_tests);
    EXPECT_EQ(host::counters().file_opens, opens);
    EXPECT_EQ(host::counters().file_reads, 0);
  }

  // Runs the query with the CPU library answering axis_count and
  // extra_slot_groups for kCpuType.
  Answer query(AxisQuery run, std::int32_t axis_count, std::int32_t extra_slot_groups = 0,
               std::int16_t cpu_type = kCpuType) {
    fake::suite().set_cpu_spec(cpu_type, axis_count, extra_slot_groups);
    return query_as_is(run, cpu_type, kProject);
  }

  // Runs the query as the CPU library stands; no byte past the caller's
  // 256 may be written.
  Answer query_as_is(AxisQuery run, std::int16_t cpu_type, const char* directory,
                     int qualifier = 0) {
    std::uint8_t buffer[DREMOXA7_AXIS_TABLE_SIZE + 16];
    std::memset(buffer, kUntouchedByte, sizeof buffer);
    Answer answer{run(directory, cpu_type, qualifier, buffer), {}};
    std::memcpy(answer.table.data(), buffer, answer.table.size());
    for (std::size_t i = DREMOXA7_AXIS_TABLE_SIZE; i < sizeof buffer; ++i) {
      EXPECT_EQ(buffer[i], kUntouchedByte) << "written past the table at " << i;
    }
    EXPECT_EQ(host::open_file_count(), 0);
    return answer;
  }

  TempDir drive_;
};

}  // namespace dremoxa7
