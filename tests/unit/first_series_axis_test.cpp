// Axis usage of the first controller series: UseAxis and UseAxisP.
#include <cstdint>
#include <string>
#include <vector>

#include "axis_query_test.h"

namespace dremoxa7 {
namespace {

// The file's layouts, as the project's tools write them.
constexpr std::size_t kSmallSize = 188;
constexpr std::size_t kLargeSize = 596;
constexpr std::size_t small_slot(int group, int entry) { return 8 + 50 * group + 6 * entry; }
constexpr std::size_t large_slot(int group, int entry) { return 8 + 66 * group + 8 * entry; }
constexpr std::size_t small_axis(int entry) { return 106 + 6 * entry; }
constexpr std::size_t large_axis(int entry) { return 336 + 6 * entry; }
constexpr std::size_t kSmallList = 154;
constexpr std::size_t kLargeList = 528;
constexpr std::size_t kMarker = 2;
constexpr std::size_t kExtendedList = 1940;

constexpr const char* kTempFile = "Temp/axsystem.bin";

struct Bytes {
  std::size_t offset;
  std::vector<std::uint8_t> values;
};

FileImage image_of(std::size_t size, const std::vector<Bytes>& bytes) {
  FileImage image(size);
  for (const Bytes& b : bytes) {
    for (std::size_t i = 0; i < b.values.size(); ++i) image.set(b.offset + i, {b.values[i]});
  }
  return image;
}

class FirstSeriesAxisTest : public AxisQueryTest {};

TEST_F(FirstSeriesAxisTest, SmallLayoutExampleByteForByte) {
  write(kTempFile, image_of(kSmallSize, {{small_slot(0, 0), {0x20, 0x01, 0x02, 0x05, 0x06, 0x00}},
                                         {small_axis(0), {0x42, 0x11, 0x22, 0x33, 0x00, 0x00}},
                                         {kSmallList, {2, 3, 0, 0}}}));
  fake::suite().set_cpu_spec(-2, 4);
  const Answer answer = query_as_is(UseAxis, -2, kProject, 0x12345678);
  EXPECT_EQ(answer.result, DREMOXA7_OK);
  expect_table(answer.table,
               table_of({{1, 1, 1, 0x20, 0x05, 0, 0}, {2, 1, 2, 0x11, 0x22, 1, 0x33}}));
  EXPECT_EQ(fake::suite().calls_of("CDbCpuSpec"),
            (std::vector<fake::Call>{{"CDbCpuSpec", {-2, 0x12345678}, {}}}));
  // One existence test, one open, one read.
  EXPECT_EQ(host::counters().existence_tests, 1);
  EXPECT_EQ(host::counters().file_opens, 1);
  EXPECT_EQ(host::counters().file_reads, 1);
  EXPECT_EQ(host::counters().file_seeks, 0);
  EXPECT_EQ(host::counters().file_closes, 1);
}

TEST_F(FirstSeriesAxisTest, AxisCountChoosesTheLayout) {
  // Axis 1 in the small layout's places, axis 2 in the large one's; the
  // last axis entry of each names axis 3 or 4.
  write(kTempFile, image_of(kLargeSize, {{small_axis(0), {1, 0x11}},
                                         {small_axis(7), {3, 0x13}},
                                         {kSmallList, {1, 3}},
                                         {large_axis(0), {2, 0x12}},
                                         {large_axis(31), {4, 0x14}},
                                         {kLargeList, {2, 4}}}));
  const AxisTableBytes small = table_of({{1, 1, 2, 0x11, 0, 1, 0}, {3, 1, 2, 0x13, 0, 1, 0}});
  const AxisTableBytes large = table_of({{2, 1, 2, 0x12, 0, 1, 0}, {4, 1, 2, 0x14, 0, 1, 0}});
  const struct {
    std::int32_t axis_count;
    const AxisTableBytes& table;
  } cases[] = {{8, small},
               {4, small},
               {9, large},
               {32, large},
               // Only the low 16 bits of the count are read.
               {0x10004, small},
               {0x7FFF0009, large}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.axis_count);
    const Answer answer = query(UseAxis, c.axis_count);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, c.table);
  }
}

TEST_F(FirstSeriesAxisTest, ExtraSlotGroupsSelectTheGroupsRead) {
  // The last slot entry of each group names axis group + 1. Past the
  // groups that fit, where a further group would lie, bytes that read as a
  // slot entry name axis 7 (small) or 9 (large): they are never read.
  std::vector<Bytes> small_bytes = {{small_slot(2, 0), {0x10, 7, 0, 0x77}}};
  std::vector<Bytes> large_bytes = {{large_slot(5, 0), {0x10, 9, 0, 0x99}}};
  for (int g = 0; g < 5; ++g) {
    const auto detail = static_cast<std::uint8_t>(0x30 + g);
    if (g < 2) small_bytes.push_back({small_slot(g, 7), {0x10, std::uint8_t(g + 1), 0, detail}});
    large_bytes.push_back({large_slot(g, 7), {0x10, std::uint8_t(g + 1), 0, detail, 0, 0, 0, 0}});
  }
  const auto groups = [](int count) {
    std::vector<AxisEntry> entries;
    for (int g = 0; g < count; ++g)
      entries.push_back({g + 1, 1, 1, 0x10, std::uint8_t(0x30 + g), 0, 0});
    return table_of(entries);
  };
  const struct {
    bool large;
    std::int32_t extra;
    int groups_read;
  } cases[] = {
      {false, 0, 1},
      {false, -1, 1},
      {false, 1, 2},
      {false, 4, 2},
      {false, 100, 2},
      {true, 0, 1},
      {true, -3, 1},
      {true, 1, 2},
      {true, 4, 5},
      {true, 100, 5},
      // Only the low 16 bits count.
      {false, 0x10001, 2},
      {true, static_cast<std::int32_t>(0xFFFF0000u), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.large ? "large " : "small ") << c.extra);
    write(kTempFile,
          c.large ? image_of(kLargeSize, large_bytes) : image_of(kSmallSize, small_bytes));
    const Answer answer = query(UseAxis, c.large ? 12 : 8, c.extra);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, groups(c.groups_read));
  }
}

TEST_F(FirstSeriesAxisTest, SlotAndAxisEntriesAssignAxes) {
  // Small layout, four axes; slot group 0 entry 0 and the first axis entries.
  const struct {
    const char* name;
    std::vector<Bytes> bytes;
    AxisTableBytes table;
  } cases[] = {
      {"one-axis slot ignores its second axis",
       {{small_slot(0, 0), {0x10, 1, 2, 0x31, 0x32}}},
       table_of({{1, 1, 1, 0x10, 0x31, 0, 0}})},
      {"two-axis slot, type 32",
       {{small_slot(0, 0), {0x20, 1, 2, 0x31, 0x32}}},
       table_of({{1, 1, 1, 0x20, 0x31, 0, 0}, {2, 1, 1, 0x20, 0x32, 0, 0}})},
      {"two-axis slot, type 33",
       {{small_slot(0, 0), {0x21, 4, 3, 0x31, 0x32}}},
       table_of({{4, 1, 1, 0x21, 0x31, 0, 0}, {3, 1, 1, 0x21, 0x32, 0, 0}})},
      {"slot type 34", {{small_slot(0, 0), {0x22, 1, 2, 0x31, 0x32}}}, table_of({})},
      {"slot type 0", {{small_slot(0, 0), {0x00, 1, 2, 0x31, 0x32}}}, table_of({})},
      {"slot naming the same axis twice",
       {{small_slot(0, 0), {0x20, 2, 2, 0x31, 0x32}}},
       table_of({{2, 1, 1, 0x20, 0x32, 0, 0}})},
      {"slot with an empty first axis",
       {{small_slot(0, 0), {0x20, 0, 2, 0x31, 0x32}}},
       table_of({{2, 1, 1, 0x20, 0x32, 0, 0}})},
      {"slot axis bytes are masked",
       {{small_slot(0, 0), {0x20, 0x41, 0xC2, 0x31, 0x32}}},
       table_of({{1, 1, 1, 0x20, 0x31, 0, 0}, {2, 1, 1, 0x20, 0x32, 0, 0}})},
      {"slot axis bytes naming nothing",
       {{small_slot(0, 0), {0x20, 0x40, 0xC0, 0x31, 0x32}}},
       table_of({})},
      {"slot axis n + 1", {{small_slot(0, 0), {0x10, 5, 0, 0x31}}}, table_of({})},
      {"axis entry copies its codes",
       {{small_axis(0), {0x41, 0x11, 0x22, 0x33, 0x44, 0x55}}},
       table_of({{1, 1, 2, 0x11, 0x22, 0, 0x33}})},
      {"axis entry bytes naming nothing or n + 1",
       {{small_axis(0), {0x40, 0x11}}, {small_axis(1), {0xC0, 0x11}}, {small_axis(2), {5, 0x11}}},
       table_of({})},
      {"axis entry byte 0x84 names axis 4",
       {{small_axis(7), {0x84, 0x11, 0x22, 0x33}}},
       table_of({{4, 1, 2, 0x11, 0x22, 0, 0x33}})},
      {"axis entry replaces a slot's assignment",
       {{small_slot(0, 0), {0x20, 1, 2, 0x31, 0x32}}, {small_axis(3), {1, 0x11, 0x22, 0x33}}},
       table_of({{1, 1, 2, 0x11, 0x22, 0, 0x33}, {2, 1, 1, 0x20, 0x32, 0, 0}})},
      {"a later axis entry replaces an earlier one",
       {{small_axis(0), {3, 0x11, 0x22, 0x33}}, {small_axis(1), {3, 0x44, 0x55, 0x00}}},
       table_of({{3, 1, 2, 0x44, 0x55, 0, 0}})},
      {"a later slot replaces an earlier one",
       {{small_slot(0, 0), {0x10, 1, 0, 0x31}}, {small_slot(0, 1), {0x21, 0, 1, 0, 0x41}}},
       table_of({{1, 1, 1, 0x21, 0x41, 0, 0}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write(kTempFile, image_of(kSmallSize, c.bytes));
    const Answer answer = query(UseAxis, 4);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, c.table);
  }
}

TEST_F(FirstSeriesAxisTest, AxisListsMarkAxesInUse) {
  // Axes 1, 2 and 3 are in use (axis entries); each case writes list bytes.
  const std::vector<Bytes> small_axes = {
      {small_axis(0), {1, 0x11}}, {small_axis(1), {2, 0x12}}, {small_axis(2), {3, 0x13}}};
  const std::vector<Bytes> large_axes = {
      {large_axis(0), {1, 0x11}}, {large_axis(1), {2, 0x12}}, {large_axis(2), {3, 0x13}}};
  const struct {
    const char* name;
    bool large;
    std::vector<Bytes> list;
    std::vector<int> marked;
    long seeks;
  } cases[] = {
      {"list byte names an axis", false, {{kSmallList, {2}}}, {2}, 0},
      {"listed twice", false, {{kSmallList, {3, 3}}}, {3}, 0},
      {"negative list byte", false, {{kSmallList, {0x81}}}, {}, 0},
      {"list bytes are not masked", false, {{kSmallList, {0x41}}}, {}, 0},
      {"axis not in use", false, {{kSmallList, {4}}}, {}, 0},
      {"past the n bytes of the list", false, {{kSmallList + 4, {1}}}, {}, 0},
      {"small layout has no marker", false, {{kMarker, {17}}, {kExtendedList, {1}}}, {}, 0},
      {"marker 16: n bytes at 528",
       true,
       {{kMarker, {16}}, {kLargeList + 11, {1}}, {kLargeList + 12, {2}}, {kExtendedList, {3}}},
       {1},
       0},
      {"marker 17: 48 bytes at 528, then n at 1940",
       true,
       {{kMarker, {17}},
        {kLargeList + 47, {1}},
        {kLargeList + 48, {2}},
        {kExtendedList + 11, {3}},
        {kExtendedList + 12, {2}}},
       {1, 3},
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Bytes> bytes = c.large ? large_axes : small_axes;
    bytes.insert(bytes.end(), c.list.begin(), c.list.end());
    write(kTempFile, image_of(c.large ? kLargeSize : kSmallSize, bytes));
    host::reset_counters();
    const Answer answer = query(UseAxis, c.large ? 12 : 4);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    AxisTableBytes expected =
        table_of({{1, 1, 2, 0x11, 0, 0, 0}, {2, 1, 2, 0x12, 0, 0, 0}, {3, 1, 2, 0x13, 0, 0, 0}});
    for (int axis : c.marked) expected[(axis - 1) * 8 + 4] = 1;
    expect_table(answer.table, expected);
    EXPECT_EQ(host::counters().file_seeks, c.seeks);
    EXPECT_EQ(host::counters().file_reads, 1 + c.seeks);
  }
}

TEST_F(FirstSeriesAxisTest, ShortFilesReadAsZero) {
  const struct {
    const char* name;
    FileImage image;
    std::int32_t axis_count;
    AxisTableBytes table;
  } cases[] = {
      {"empty file", FileImage(0), 4, table_of({})},
      {"slot entry cut after its detail code",
       FileImage(12).set(small_slot(0, 0), {0x10, 1, 0, 0x31}), 4,
       table_of({{1, 1, 1, 0x10, 0x31, 0, 0}})},
      {"slot entry cut after its axis", FileImage(10).set(small_slot(0, 0), {0x10, 1}), 4,
       table_of({{1, 1, 1, 0x10, 0, 0, 0}})},
      {"marker 17 and no extended list",
       FileImage(kLargeSize).set(kMarker, {17}).set(large_axis(0), {1, 0x11}), 12,
       table_of({{1, 1, 2, 0x11, 0, 0, 0}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A file of 0x01 bytes first (axis 1 everywhere), so that a stale
    // block would show.
    write(kTempFile, image_of(kLargeSize + 2000, {{0, std::vector<std::uint8_t>(2000, 0x01)}}));
    ASSERT_EQ(query(UseAxis, c.axis_count).result, DREMOXA7_OK);
    write(kTempFile, c.image);
    const Answer answer = query(UseAxis, c.axis_count);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, c.table);
  }
}

TEST_F(FirstSeriesAxisTest, NoAxesAcceptsNothing) {
  write(kTempFile, image_of(kSmallSize, {{small_slot(0, 0), {0x20, 1, 2, 0x31, 0x32}},
                                         {small_axis(0), {1, 0x11}},
                                         {kSmallList, {1, 2}}}));
  for (std::int32_t axis_count : {0, -5}) {
    SCOPED_TRACE(axis_count);
    const Answer answer = query(UseAxis, axis_count);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, table_of({}));
  }
}

TEST_F(FirstSeriesAxisTest, MoreAxesThanTheTableHoldsCountAsThirtyTwo) {
  // A CPU reporting 40 axes: axis numbers 33..40 name no table entry, and
  // the lists are read as for 32 axes.
  write(kTempFile, FileImage(kLargeSize + 2000)
                       .set(kMarker, {17})
                       .set(large_axis(0), {0x20, 0x11})
                       .set(large_axis(1), {0x21, 0x12})
                       .set(large_axis(2), {0x28, 0x13})
                       .set(large_slot(0, 0), {0x20, 0x3F, 0x22, 0x31, 0x32, 0, 0, 0})
                       .set(kLargeList, {32, 33, 40})
                       .set(kExtendedList + 31, {32}));
  const Answer answer = query(UseAxis, 40);
  EXPECT_EQ(answer.result, DREMOXA7_OK);
  expect_table(answer.table, table_of({{32, 1, 2, 0x11, 0, 1, 0}}));
}

TEST_F(FirstSeriesAxisTest, EachVariantReadsItsOwnFile) {
  write("Temp/axsystem.bin", FileImage(kSmallSize).set(small_axis(0), {1, 0x11}));
  write("axsystem.bin", FileImage(kSmallSize).set(small_axis(0), {2, 0x22}));
  expect_table(query(UseAxis, 4).table, table_of({{1, 1, 2, 0x11, 0, 0, 0}}));
  expect_table(query(UseAxisP, 4).table, table_of({{2, 1, 2, 0x22, 0, 0, 0}}));

  // A null directory counts as empty: the file is looked up from the
  // current directory.
  host::set_current_directory((drive_.path() / "Proj").string());
  fake::suite().set_cpu_spec(kCpuType, 4);
  expect_table(query_as_is(UseAxis, kCpuType, nullptr).table, table_of({{1, 1, 2, 0x11, 0, 0, 0}}));
  expect_table(query_as_is(UseAxisP, kCpuType, nullptr).table,
               table_of({{2, 1, 2, 0x22, 0, 0, 0}}));
}

TEST_F(FirstSeriesAxisTest, AnOverlongDirectoryNamesNoFile) {
  // Longer than any path the platform's file calls take: looked up nowhere.
  const std::string directory = "P:\\" + std::string(1100, 'd') + "\\";
  fake::suite().set_cpu_spec(kCpuType, 4);
  const Answer answer = query_as_is(UseAxis, kCpuType, directory.c_str());
  EXPECT_EQ(answer.result, DREMOXA7_NOT_FOUND);
  expect_table(answer.table, untouched_table());
  EXPECT_EQ(host::counters().existence_tests, 0);
}

TEST_F(FirstSeriesAxisTest, FailuresLeaveTheCallersTableUntouched) {
  enum class Setup { cpu_library_fails, missing, missing_directory, held, directory };
  const struct {
    const char* name;
    Setup setup;
    short result;
    long existence_tests;
    long opens;
  } cases[] = {
      {"CPU library fails", Setup::cpu_library_fails, 7, 0, 0},
      {"file missing", Setup::missing, DREMOXA7_NOT_FOUND, 1, 0},
      {"Temp missing", Setup::missing_directory, DREMOXA7_NOT_FOUND, 1, 0},
      {"file held by another opener", Setup::held, DREMOXA7_UNREADABLE, 1, 1},
      {"a directory of the file's name", Setup::directory, DREMOXA7_UNREADABLE, 1, 1},
  };
  for (AxisQuery run : {UseAxis, UseAxisP}) {
    const std::string file = run == UseAxis ? "Temp/axsystem.bin" : "axsystem.bin";
    const std::string path =
        std::string(kProject) + (run == UseAxis ? "Temp\\" : "") + "axsystem.bin";
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << file << ": " << c.name);
      std::filesystem::remove_all(drive_.path() / "Proj");
      fake::reset_suite();
      int hold = -1;
      switch (c.setup) {
        case Setup::cpu_library_fails:
          write(file, FileImage(kSmallSize));
          fake::suite().failures["CDbCpuSpec"][kCpuType] = 7;
          break;
        case Setup::missing:
          write(run == UseAxis ? "Temp/other.bin" : "other.bin", FileImage(kSmallSize));
          break;
        case Setup::missing_directory:
          break;
        case Setup::held:
          write(file, FileImage(kSmallSize));
          // Even an opener that shares everything keeps the query out.
          hold = host::hold_file(path, {true, false, true, true});
          ASSERT_GE(hold, 0);
          break;
        case Setup::directory:
          std::filesystem::create_directories(drive_.path() / "Proj" / file);
          break;
      }
      host::reset_counters();
      expect_failure(query(run, 4), c.result, c.existence_tests, c.opens);
      if (hold >= 0) host::release_file(hold);
    }
  }
}

// Another program changes the system file between the query's existence
// test and its open: the query ends as if the change had come before it.
TEST_F(FirstSeriesAxisTest, SystemFileChangedAfterItWasFound) {
  enum class Change { directory, held, removed };
  const struct {
    const char* what;
    Change change;
  } cases[] = {
      {"replaced by a directory", Change::directory},
      {"taken by another opener", Change::held},
      {"removed", Change::removed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write(kTempFile, FileImage(kSmallSize).set(small_axis(0), {1, 0x11}));
    int hold = -1;
    host::before(host::Call::file_open, [&] {
      const std::filesystem::path file = drive_.path() / "Proj" / kTempFile;
      switch (c.change) {
        case Change::directory:
          std::filesystem::remove(file);
          std::filesystem::create_directory(file);
          break;
        case Change::held:
          hold = host::hold_file(std::string(kProject) + "Temp\\axsystem.bin",
                                 {true, false, true, true});
          break;
        case Change::removed:
          std::filesystem::remove(file);
          break;
      }
    });
    host::reset_counters();
    expect_failure(query(UseAxis, 4), DREMOXA7_UNREADABLE, 1, 1);
    host::before(host::Call::file_open, nullptr);
    if (hold >= 0) host::release_file(hold);
    std::filesystem::remove_all(drive_.path() / "Proj");
  }
}

}  // namespace
}  // namespace dremoxa7
