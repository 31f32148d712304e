// The library's resources as Windows sees them: the string table and the
// version resource compiled into dremoxa7.dll.
#include <utility>
#include <vector>

#include "e2e_test.h"
#include "version.h"

namespace e2e {
namespace {

using Resources = LibraryTest;

std::string load_string(UINT id) {
  char text[512] = {};
  const int n = LoadStringA(Library::get().module(), id, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

TEST_F(Resources, StringTableHoldsEveryTextByteForByte) {
#define DREMOXA7_STRING(id, text) {id, text},
  const std::vector<std::pair<UINT, std::string>> table = {
#include "strings.inc"
  };
#undef DREMOXA7_STRING
  ASSERT_FALSE(table.empty());
  for (const auto& [id, text] : table) EXPECT_EQ(load_string(id), text) << "string " << id;
  // The resource compiler reads escapes too: one backslash, not two.
  EXPECT_EQ(load_string(110), "Temp\\axsystem.bin");
}

TEST_F(Resources, VersionResourceCarriesTheLibraryVersion) {
  const std::string& path = Library::get().path();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(info->dwFileVersionMS,
            static_cast<DWORD>(MAKELONG(DREMOXA7_VERSION_MINOR, DREMOXA7_VERSION_MAJOR)));
  EXPECT_EQ(HIWORD(info->dwFileVersionLS), DREMOXA7_VERSION_PATCH);
}

}  // namespace
}  // namespace e2e
