// The library on a system whose code page is 932 (Japanese), where the
// second byte of a two-byte character may equal an ASCII byte: searches,
// title reads and the ladder editor's /O switch work on whole characters.
//
// Only a driver started with the system code page 932 runs these (ctest's
// wine.code_page_932: LANG=ja_JP.UTF-8, with a locale built in the tree);
// elsewhere they skip, unless DREMOXA7_EXPECT_CODE_PAGE says 932 is wanted.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "e2e_test.h"
#include "file_image.h"
#include "installed_tool.h"
#include "logged_command_line.h"

namespace e2e {
namespace {

using dremoxa7::FileImage;
using dremoxa7::UniqueWindow;

constexpr wchar_t kWindowClass[] = L"Dx7CodePage932";

// A top-level window of the driver itself, titled in UTF-16, so that the
// system converts the title to code page 932. It stays hidden: hidden
// windows are searched like any other, and showing one under Wine without
// a window manager waits for the display.
UniqueWindow open_window(const std::wstring& title) {
  static const ATOM registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kWindowClass;
    return RegisterClassW(&window_class);
  }();
  if (registered == 0) return UniqueWindow();
  return UniqueWindow(CreateWindowExW(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                                      200, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
}

class CodePage932 : public LibraryTest {
 protected:
  void SetUp() override {
    if (GetACP() != 932) {
      const char* expected = std::getenv("DREMOXA7_EXPECT_CODE_PAGE");
      if (expected != nullptr && std::string(expected) == "932") {
        FAIL() << "the system code page is " << GetACP() << ", not 932";
      }
      GTEST_SKIP() << "the system code page is " << GetACP() << ", not 932";
    }
    LibraryTest::SetUp();
  }
};

// Top of the Z-order first: ＜A above アプリ, whose first character's bytes
// (83 41) ＜A holds from its second byte on.
TEST_F(CodePage932, SubstringSearchMatchesOnlyAtCharacters) {
  const std::wstring titles[] = {
      L"\xFF1C"
      L"A",                                       // ＜A: 81 83 41
      L"\x30A2\x30D7\x30EA",                      // アプリ: 83 41 83 76 83 8A
      L"Dx7 \x30A2\x30A4\x30A6",                  // Dx7 アイウ
      L"\x8868\x793A",                            // 表示: 95 5C 8E A6
      L"\x30A8\x30C7\x30A3\x30BF - \x8868proj1",  // エディタ - 表proj1
  };
  std::vector<UniqueWindow> windows;
  for (const std::wstring& title : titles) {
    windows.push_back(open_window(title));
    ASSERT_TRUE(windows.back());
  }
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    ASSERT_TRUE(BringWindowToTop(it->get()));
  }

  constexpr int kNoneOfOurs = -1;
  const struct Case {
    const char* what;
    const char* text;
    int by_substring;
    int by_prefix;
  } cases[] = {
      {"from the second byte of ア into イ", "\x41\x83\x43", kNoneOfOurs, kNoneOfOurs},
      {"\\proj1, its backslash the second byte of 表", "\\proj1", kNoneOfOurs, kNoneOfOurs},
      {"ア", "\x83\x41", 1, 1},
      {"イウ", "\x83\x43\x83\x45", 2, kNoneOfOurs},
      {"示, after 表", "\x8E\xA6", 3, kNoneOfOurs},
      {"proj1", "proj1", 4, kNoneOfOurs},
      {"エ", "\x83\x47", 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [search, want] : {std::pair{dll().FindWinTitleP, c.by_substring},
                                       std::pair{dll().FindWinTitle, c.by_prefix}}) {
      char title[DREMOXA7_TITLE_CAPACITY] = {};
      HWND window = poison_window();
      EXPECT_EQ(search(c.text, title, &window), DREMOXA7_OK);
      if (want == kNoneOfOurs) {
        for (const UniqueWindow& ours : windows) EXPECT_NE(window, ours.get()) << title;
        continue;
      }
      EXPECT_EQ(window, windows[want].get()) << title;
      char expected[DREMOXA7_TITLE_CAPACITY] = {};
      GetWindowTextA(windows[want].get(), expected, sizeof expected);
      EXPECT_STREQ(title, expected);
    }
  }
}

// The 349th byte of the title is the first of ア: the title found is 348
// bytes, the same as GetWindowTextA gives for the same count.
TEST_F(CodePage932, ALongTitleIsCutOnAWholeCharacter) {
  const std::wstring title = L"Dx7 Cut " + std::wstring(340, L'a') +
                             L"\x30A2"
                             L"zz";
  const UniqueWindow window = open_window(title);
  ASSERT_TRUE(window);
  char by_system[DREMOXA7_TITLE_CAPACITY] = {};
  GetWindowTextA(window.get(), by_system, sizeof by_system);
  EXPECT_EQ(std::string(by_system), "Dx7 Cut " + std::string(340, 'a'));

  for (const auto search : {dll().FindWinTitle, dll().FindWinTitleP}) {
    char found[DREMOXA7_TITLE_CAPACITY];
    std::memset(found, 'Q', sizeof found);
    HWND handle = nullptr;
    EXPECT_EQ(search("Dx7 Cut aaaa", found, &handle), DREMOXA7_OK);
    EXPECT_EQ(handle, window.get());
    EXPECT_EQ(std::string(found), "Dx7 Cut " + std::string(340, 'a'));
  }
}

std::string beside_library(const char* name) { return program_directory() + name; }

void write_file(const std::string& path, const FileImage& image) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << image.bytes();
}

// The /O value counts characters after the first G that is a character:
// started editors log the command lines they got.
TEST_F(CodePage932, LadderEditorOSwitchCountsCharacters) {
  write_file(beside_library("Zorposcom.cnf"), FileImage(274, ' ').text(22 + 14 * 3, "N03"));
  write_file(beside_library("zorwork.inf"),
             FileImage(570).text(266, "proj1\r\n").set(523, {3}).set(527, {200}));
  const std::string directory = program_directory() + "ladder-932\\";
  const struct Case {
    const char* package;
    const char* o_switch;
  } cases[] = {
      {"\x83\x47G12", "/O12"},            // エG12: the G of エ is its second byte
      {"\x83\x47\x31\x32", "/O"},         // エ12: no G of its own
      {"GABC\x95\x5C", "/OABC\x95\x5C"},  // GABC表: 表 is the fourth character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.o_switch);
    write_suite_description(std::string("shortpac 0 ") + c.package + "\n");
    const InstalledTool editor(directory, "ladder", logging_command_line("Dx7 Ladder 932"));
    ASSERT_EQ(editor.error(), "");
    ASSERT_EQ(dll().ZorLadderpJump(0, directory.c_str(), "ladder", "Ladder Editor"), DREMOXA7_OK);
    ASSERT_NE(editor.started_window(), nullptr);
    EXPECT_EQ(logged_command_line(editor),
              directory + "ladder.exe /MO /TN03 /S200 " + c.o_switch + " /Pproj1");
  }
  DeleteFileA(beside_library("zorwork.inf").c_str());
  DeleteFileA(beside_library("Zorposcom.cnf").c_str());
}

// A hand-off text of 200 two-byte characters (400 bytes) does not fit the
// 400-byte block with its terminator: the started tool finds 199 of them.
TEST_F(CodePage932, HandoffTextIsCutOnAWholeCharacter) {
  const std::string directory = program_directory() + "handoff-932\\";
  write_suite_description(
      "title 0 5 Dx7 Handoff 932\nexeno 5 50\nexename 50 handoff932\n"
      "installpath 0 " +
      directory + "\n");
  const InstalledTool tool(directory, "handoff932", {"Dx7 Handoff 932", {}, {}});
  ASSERT_EQ(tool.error(), "");
  std::string katakana;
  for (int i = 0; i < 200; ++i) katakana += "\x83\x41";  // ア
  ASSERT_EQ(dll().ZorFuncJump(0, 5, katakana.c_str()), DREMOXA7_OK);
  ASSERT_NE(tool.started_window(), nullptr);
  const std::vector<std::string> lines = tool.log_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "clipboard " + katakana.substr(0, 398));
}

}  // namespace
}  // namespace e2e
