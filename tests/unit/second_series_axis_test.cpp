// Axis usage of the second controller series: QUseAxis and QUseAxisP, with
// the H file's code conversions.
#include <cstdint>
#include <string>
#include <vector>

#include "axis_query_test.h"

namespace dremoxa7 {
namespace {

constexpr std::size_t kFileSize = 1360;
constexpr std::size_t axis_entry(int entry) { return 805 + 6 * entry; }
constexpr std::size_t kList = 997;

constexpr std::int16_t kHType = 15;
constexpr const char* kTempFile = "Temp/axsystem.bin";
constexpr const char* kTempHFile = "Temp/axsystemH.bin";

// Axis entry of the H file: axis, type code, two bytes not read, flag, one
// byte not read.
std::vector<std::uint8_t> h_entry(std::uint8_t axis, std::uint8_t type_code, std::uint8_t flag) {
  return {axis, type_code, 0x77, 0x77, flag, 0x77};
}

// The code library converts type code t into 0x1000 + t and describes it
// with detail code 0x80 + t.
void convert_every_type_code() {
  for (int t = 0; t < 256; ++t) {
    fake::suite().converted_codes[t] = 0x1000 + t;
    fake::suite().code_infos[0x1000 + t] = {static_cast<std::uint8_t>(0x80 + t), 0xFF, 0xFF};
  }
}

std::vector<fake::Call> conversions_of(std::vector<int> type_codes) {
  std::vector<fake::Call> calls;
  for (int t : type_codes) {
    calls.push_back({"QHA_CodeToMCode", {3, t}, {}});
    calls.push_back({"M_Codeinf", {0x1000 + t}, {}});
  }
  return calls;
}

std::vector<fake::Call> code_library_calls() {
  std::vector<fake::Call> calls;
  for (const fake::Call& call : fake::suite().calls) {
    if (call.name != "CDbCpuSpec") calls.push_back(call);
  }
  return calls;
}

class SecondSeriesAxisTest : public AxisQueryTest {
 protected:
  void SetUp() override {
    AxisQueryTest::SetUp();
    convert_every_type_code();
  }
};

TEST_F(SecondSeriesAxisTest, CpuTypeChoosesTheHFile) {
  const FileImage plain =
      FileImage(kFileSize).set(axis_entry(0), {1, 0x11, 0x22, 0x33, 0x44, 0x55}).set(kList, {1});
  const FileImage h = FileImage(kFileSize).set(axis_entry(0), h_entry(2, 0x44, 1));
  for (const char* folder : {"Temp/", ""}) {
    write(std::string(folder) + "axsystem.bin", plain);
    write(std::string(folder) + "axsystemH.bin", h);
  }
  const AxisTableBytes copied = table_of({{1, 1, 2, 0x11, 0x22, 1, 0x33}});
  const AxisTableBytes converted = table_of({{2, 1, 3, 0x44, 0xC4, 2, 0}});
  const struct {
    std::int16_t cpu_type;
    const AxisTableBytes& table;
  } cases[] = {{14, copied}, {15, converted}, {16, converted}, {17, copied}, {-15, copied}};
  for (AxisQuery run : {QUseAxis, QUseAxisP}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << (run == QUseAxis ? "QUseAxis " : "QUseAxisP ") << c.cpu_type);
      fake::suite().calls.clear();
      host::reset_counters();
      const Answer answer = query(run, 4, 0, c.cpu_type);
      EXPECT_EQ(answer.result, DREMOXA7_OK);
      expect_table(answer.table, c.table);
      EXPECT_EQ(code_library_calls(),
                &c.table == &converted ? conversions_of({0x44}) : std::vector<fake::Call>{});
      // One existence test, one open, one read.
      EXPECT_EQ(host::counters().existence_tests, 1);
      EXPECT_EQ(host::counters().file_opens, 1);
      EXPECT_EQ(host::counters().file_reads, 1);
      EXPECT_EQ(host::counters().file_seeks, 0);
      EXPECT_EQ(host::counters().file_closes, 1);
    }
  }
}

TEST_F(SecondSeriesAxisTest, AxisCountDecidesTheEntriesRead) {
  // Entry 8 (and for the H file entry 16) names axis 3, the last entry
  // axis 4; the list at 997 names both, whatever was read.
  const FileImage plain = FileImage(kFileSize)
                              .set(axis_entry(8), {3, 0x13, 0x23})
                              .set(axis_entry(31), {4, 0x14, 0x24})
                              .set(kList, {3, 4});
  const FileImage h = FileImage(kFileSize)
                          .set(axis_entry(8), h_entry(0, 0x99, 0))
                          .set(axis_entry(16), h_entry(3, 0x13, 0))
                          .set(axis_entry(31), h_entry(4, 0x14, 0))
                          .set(kList, {3, 4});
  write(kTempFile, plain);
  write(kTempHFile, h);
  const struct {
    bool h_file;
    std::int32_t axis_count;
    AxisTableBytes table;
    std::vector<int> conversions;
  } cases[] = {
      {false, 8, table_of({}), {}},
      {false, 9, table_of({{3, 1, 2, 0x13, 0x23, 1, 0}, {4, 1, 2, 0x14, 0x24, 1, 0}}), {}},
      {true, 16, table_of({}), {}},
      {true,
       17,
       table_of({{3, 1, 3, 0x13, 0x93, 1, 0}, {4, 1, 3, 0x14, 0x94, 1, 0}}),
       {0x13, 0x14}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.h_file ? "H " : "") << c.axis_count);
    fake::suite().calls.clear();
    const Answer answer = query(QUseAxis, c.axis_count, 0, c.h_file ? kHType : kCpuType);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, c.table);
    EXPECT_EQ(code_library_calls(), conversions_of(c.conversions));
  }
}

TEST_F(SecondSeriesAxisTest, HFileFlagsAndTheListSetTheMark) {
  const struct {
    const char* name;
    std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>> bytes;
    AxisTableBytes table;
    std::vector<int> conversions;
  } cases[] = {
      {"flag 1, not listed",
       {{axis_entry(0), h_entry(1, 0x41, 1)}},
       table_of({{1, 1, 3, 0x41, 0xC1, 2, 0}}),
       {0x41}},
      {"flag 1, listed",
       {{axis_entry(0), h_entry(1, 0x41, 1)}, {kList, {1}}},
       table_of({{1, 1, 3, 0x41, 0xC1, 1, 0}}),
       {0x41}},
      {"flag 2",
       {{axis_entry(0), h_entry(1, 0x41, 2)}},
       table_of({{1, 1, 3, 0x41, 0xC1, 0, 0}}),
       {0x41}},
      {"flag 2, listed",
       {{axis_entry(0), h_entry(1, 0x41, 2)}, {kList + 3, {1}}},
       table_of({{1, 1, 3, 0x41, 0xC1, 1, 0}}),
       {0x41}},
      {"a later entry keeps the flag's mark",
       {{axis_entry(0), h_entry(2, 0x41, 1)}, {axis_entry(5), h_entry(0x42, 0x52, 0)}},
       table_of({{2, 1, 3, 0x52, 0xD2, 2, 0}}),
       {0x41, 0x52}},
      {"entries naming no accepted axis convert nothing",
       {{axis_entry(0), h_entry(0x40, 0x41, 1)},
        {axis_entry(1), h_entry(5, 0x42, 1)},
        {axis_entry(2), h_entry(0xC4, 0xF0, 0)}},
       table_of({{4, 1, 3, 0xF0, 0x70, 0, 0}}),
       {0xF0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FileImage image(kFileSize);
    for (const auto& [offset, values] : c.bytes) image.set(offset, values);
    write(kTempHFile, image);
    fake::suite().calls.clear();
    const Answer answer = query(QUseAxis, 4, 0, kHType);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, c.table);
    EXPECT_EQ(code_library_calls(), conversions_of(c.conversions));
  }
}

TEST_F(SecondSeriesAxisTest, AFailingConversionEndsTheQuery) {
  write(kTempHFile, FileImage(kFileSize)
                        .set(axis_entry(0), h_entry(1, 0x41, 1))
                        .set(axis_entry(1), h_entry(2, 0x42, 0))
                        .set(axis_entry(2), h_entry(3, 0x43, 0)));
  const struct {
    const char* call;
    long key;
    std::int16_t code;
    std::vector<fake::Call> calls;
  } cases[] = {
      {"QHA_CodeToMCode",
       0x42,
       5,
       {{"QHA_CodeToMCode", {3, 0x41}, {}},
        {"M_Codeinf", {0x1041}, {}},
        {"QHA_CodeToMCode", {3, 0x42}, {}}}},
      {"M_Codeinf",
       0x1042,
       -7,
       {{"QHA_CodeToMCode", {3, 0x41}, {}},
        {"M_Codeinf", {0x1041}, {}},
        {"QHA_CodeToMCode", {3, 0x42}, {}},
        {"M_Codeinf", {0x1042}, {}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    fake::suite().calls.clear();
    fake::suite().failures.clear();
    fake::suite().failures[c.call][c.key] = c.code;
    const Answer answer = query(QUseAxis, 4, 0, kHType);
    EXPECT_EQ(answer.result, c.code);
    expect_table(answer.table, untouched_table());
    EXPECT_EQ(code_library_calls(), c.calls);
  }
}

TEST_F(SecondSeriesAxisTest, NoAxesMakeNoConversions) {
  write(kTempHFile, FileImage(kFileSize).set(axis_entry(0), h_entry(1, 0x41, 1)).set(kList, {1}));
  for (std::int32_t axis_count : {0, -1}) {
    fake::suite().calls.clear();
    const Answer answer = query(QUseAxis, axis_count, 0, kHType);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    expect_table(answer.table, table_of({}));
    EXPECT_TRUE(code_library_calls().empty());
  }
}

TEST_F(SecondSeriesAxisTest, MoreAxesThanTheTableHoldsCountAsThirtyTwo) {
  write(kTempHFile, FileImage(kFileSize)
                        .set(axis_entry(0), h_entry(0x20, 0x41, 0))
                        .set(axis_entry(1), h_entry(0x21, 0x42, 0))
                        .set(axis_entry(31), h_entry(0x28, 0x43, 0))
                        .set(kList, {32, 33, 40}));
  const Answer answer = query(QUseAxis, 40, 0, kHType);
  EXPECT_EQ(answer.result, DREMOXA7_OK);
  expect_table(answer.table, table_of({{32, 1, 3, 0x41, 0xC1, 1, 0}}));
  EXPECT_EQ(code_library_calls(), conversions_of({0x41}));
}

TEST_F(SecondSeriesAxisTest, ShortFileReadsAsZero) {
  write(kTempFile, FileImage(kFileSize, 0x01));
  ASSERT_EQ(query(QUseAxis, 4).result, DREMOXA7_OK);
  write(kTempFile, FileImage(axis_entry(0) + 2).set(axis_entry(0), {1, 0x11}));
  const Answer answer = query(QUseAxis, 4);
  EXPECT_EQ(answer.result, DREMOXA7_OK);
  expect_table(answer.table, table_of({{1, 1, 2, 0x11, 0, 0, 0}}));
}

TEST_F(SecondSeriesAxisTest, FailuresLeaveTheCallersTableUntouched) {
  enum class Setup { cpu_library_fails, missing, held, directory };
  const struct {
    const char* name;
    Setup setup;
    short result;
    long existence_tests;
    long opens;
  } cases[] = {
      {"CPU library fails", Setup::cpu_library_fails, 7, 0, 0},
      {"file missing", Setup::missing, DREMOXA7_NOT_FOUND, 1, 0},
      {"file held by another opener", Setup::held, DREMOXA7_UNREADABLE, 1, 1},
      {"a directory of the file's name", Setup::directory, DREMOXA7_UNREADABLE, 1, 1},
  };
  for (std::int16_t cpu_type : {kCpuType, kHType}) {
    const char* file = cpu_type == kHType ? kTempHFile : kTempFile;
    const std::string path = std::string(kProject) + "Temp\\" + (file + 5);
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << file << ": " << c.name);
      std::filesystem::remove_all(drive_.path() / "Proj");
      fake::suite().failures.clear();
      fake::suite().calls.clear();
      int hold = -1;
      switch (c.setup) {
        case Setup::cpu_library_fails:
          write(file, FileImage(kFileSize));
          fake::suite().failures["CDbCpuSpec"][cpu_type] = 7;
          break;
        case Setup::missing:
          // The other series' file does not stand in for it.
          write(cpu_type == kHType ? kTempFile : kTempHFile, FileImage(kFileSize));
          break;
        case Setup::held:
          write(file, FileImage(kFileSize).set(axis_entry(0), h_entry(1, 0x41, 0)));
          hold = host::hold_file(path, {true, false, true, true});
          ASSERT_GE(hold, 0);
          break;
        case Setup::directory:
          std::filesystem::create_directories(drive_.path() / "Proj" / file);
          break;
      }
      host::reset_counters();
      expect_failure(query(QUseAxis, 4, 0, cpu_type), c.result, c.existence_tests, c.opens);
      EXPECT_TRUE(code_library_calls().empty());
      if (hold >= 0) host::release_file(hold);
    }
  }
}

}  // namespace
}  // namespace dremoxa7
