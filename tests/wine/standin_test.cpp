// The stand-in suite DLLs that the other tests and the demo rely on: each
// kind of description line, forced failures, file reads and record layouts.
#include <cstring>
#include <fstream>
#include <iterator>

#include "e2e_test.h"
#include "frame/suite.h"

namespace e2e {
namespace {

template <class Function>
Function suite_call(const char* dll, const char* name) {
  const HMODULE module = GetModuleHandleA(dll);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

#define SUITE_CALL(dll, name) suite_call<decltype(&::name)>(dll, #name)

std::string temp_path(const char* name) {
  char directory[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, directory);
  return std::string(directory, n <= MAX_PATH ? n : 0) + name;
}

std::string read_all(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The stand-ins are loaded with the library, which imports them.
class StandIn : public LibraryTest {};

TEST_F(StandIn, SuiteInformationFromTheDescription) {
  const std::string log = temp_path("dremoxa7-standin-test.log");
  DeleteFileA(log.c_str());
  write_suite_description(
      "# a comment\n"
      "title 0 1 " +
      std::string(100, 'T') +
      "\r\n"
      "exeno 4 12\n"
      "  exename 12 Servo Mon  \n"
      "installpath 0 C:\\Suite\\Bin\\\n"
      "work1 1 Display Text\n"
      "verfile 0 A1 - C3 D4\n"
      "fail GetZorExeNo 9 4\n"
      "log " +
      log + "\n");
  const auto title = SUITE_CALL("ZorComInfo7.dll", GetZorFuncWinTitle);
  const auto exe_no = SUITE_CALL("ZorComInfo7.dll", GetZorExeNo);
  const auto exe_name = SUITE_CALL("ZorComInfo7.dll", GetZorExeName);
  const auto install_path = SUITE_CALL("ZorComInfo7.dll", GetZorInstallPath);
  const auto work1 = SUITE_CALL("ZorComInfo7.dll", GetZorWork1Info);
  const auto version = SUITE_CALL("ZorComInfo7.dll", GetZorVerFileInfo);
  ASSERT_TRUE(title && exe_no && exe_name && install_path && work1 && version);

  char text[400];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(title(0, 1, text), 0);
  EXPECT_EQ(std::string(text), std::string(dremoxa7::suite::kTitleCapacity - 1, 'T'));
  EXPECT_EQ(title(0, 2, text), 0) << "no line: an empty title";
  EXPECT_STREQ(text, "");

  std::int16_t number = -1;
  EXPECT_EQ(exe_no(4, &number), 9) << "forced for key 4";
  EXPECT_EQ(number, 12) << "written all the same";
  EXPECT_EQ(exe_no(5, &number), 2) << "no line";

  char name[64], second[64] = "x", third[64] = "x";
  EXPECT_EQ(exe_name(12, name, second, third), 0);
  EXPECT_STREQ(name, "Servo Mon  ");
  EXPECT_STREQ(second, "");

  char directory[288];
  std::int16_t value = 5;
  EXPECT_EQ(install_path(0, &value, directory), 0);
  EXPECT_STREQ(directory, "C:\\Suite\\Bin\\");
  EXPECT_EQ(install_path(1, &value, directory), 2);

  std::int16_t flag = 0;
  char path[300], text1[64], display[64], text3[32];
  EXPECT_EQ(work1(2, &flag, path, text1, display, text3), 0);
  EXPECT_EQ(flag, 1);
  EXPECT_STREQ(display, "Display Text");

  char f1[32], f2[16], f3[16], f4[32];
  EXPECT_EQ(version(0, f1, f2, f3, f4), 0);
  EXPECT_EQ(std::string(f1) + "|" + f2 + "|" + f3 + "|" + f4, "A1||C3|D4");

  EXPECT_EQ(read_all(log).substr(0, 27), "GetZorFuncWinTitle 0 1 -> 0");
  EXPECT_NE(read_all(log).find("GetZorExeNo 4 -> 9\r\n"), std::string::npos);
  DeleteFileA(log.c_str());
}

TEST_F(StandIn, FileReadsReadTheRealBytes) {
  write_suite_description("");
  const std::string path = temp_path("dremoxa7-standin-test.bin");
  std::ofstream(path, std::ios::binary) << "0123456789ABCDEF";
  const auto read = SUITE_CALL("ZorComInfo7.dll", ZorFileRead);
  const auto read2 = SUITE_CALL("ZorComInfo7.dll", ZorFileRead2);
  ASSERT_TRUE(read && read2);
  const struct {
    const char* what;
    std::string path;
    std::int32_t offset, length;
    std::int16_t result;
    const char* bytes;
  } cases[] = {
      {"inside", path, 4, 8, 0, "456789AB"},
      {"up to the end", path, 8, 8, 0, "89ABCDEF"},
      {"past the end", path, 12, 8, 5, nullptr},
      {"negative offset", path, -1, 4, 5, nullptr},
      {"missing file", path + ".missing", 0, 4, 3, nullptr},
  };
  for (const auto& c : cases) {
    for (const auto call : {read, read2}) {
      SCOPED_TRACE(c.what);
      char buffer[9] = {};
      EXPECT_EQ(call(c.path.c_str(), c.offset, c.length, buffer), c.result);
      if (c.bytes) {
        EXPECT_STREQ(buffer, c.bytes);
      }
    }
  }
  DeleteFileA(path.c_str());
}

TEST_F(StandIn, CpuAndCodeRecords) {
  write_suite_description(
      "cpuspec 15 3 8 -1\n"
      "codetomcode 33 70000\n"
      "codeinf 70000 44\n");
  const auto cpu_spec = SUITE_CALL("cpuspec.dll", CDbCpuSpec);
  const auto to_code = SUITE_CALL("codedb.dll", QHA_CodeToMCode);
  const auto code_info = SUITE_CALL("codedb.dll", M_Codeinf);
  ASSERT_TRUE(cpu_spec && to_code && code_info);

  unsigned char record[40] = {};
  EXPECT_EQ(cpu_spec(15, 3, record), 0);
  const unsigned char expected_head[] = {8, 0, 0, 0, 0xCD};
  EXPECT_EQ(std::memcmp(record, expected_head, sizeof expected_head), 0);
  const unsigned char expected_extra[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xCD};
  EXPECT_EQ(std::memcmp(record + 20, expected_extra, sizeof expected_extra), 0);
  EXPECT_EQ(cpu_spec(15, 4, record), 2) << "qualifier counts";

  std::int32_t converted = 0;
  EXPECT_EQ(to_code(3, 33, &converted), 0);
  EXPECT_EQ(converted, 70000);
  EXPECT_EQ(to_code(2, 33, &converted), 2) << "only kind 3 converts";

  unsigned char info[32] = {};
  EXPECT_EQ(code_info(70000, info), 0);
  EXPECT_EQ(info[0], 44);
  EXPECT_EQ(info[31], 0xCD);
}

}  // namespace
}  // namespace e2e
