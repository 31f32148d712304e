// Finding a window by the start of its title or by a part of it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dremoxa7.h"
#include "library_test.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;

// A window of the desktop and the title a search gives back for it.
struct Shown {
  Window window;
  std::string title;
};

// A window whose whole title a search gives back.
Shown show(const std::string& title, bool iconic = false) {
  return {host::add_window(title, iconic), title};
}

class TitleSearchTest : public LibraryTest {
 protected:
  // Runs both searches for text; the expected window of each is an index
  // into the desktop (top first) or -1 for none.
  void expect_found(const std::vector<Shown>& desktop, const char* text, int prefix_index,
                    int substring_index) {
    SCOPED_TRACE(text ? text : "(null)");
    check(FindWinTitle, desktop, text, prefix_index);
    check(FindWinTitleP, desktop, text, substring_index);
  }

 private:
  using Search = short (*)(const char*, char*, DREMOXA7_WINDOW*);
  static void check(Search search, const std::vector<Shown>& desktop, const char* text, int index) {
    char title[DREMOXA7_TITLE_CAPACITY];
    std::string(sizeof title - 1, 'x').copy(title, sizeof title);
    DREMOXA7_WINDOW window = reinterpret_cast<DREMOXA7_WINDOW>(0x1234);
    ASSERT_EQ(search(text, title, &window), DREMOXA7_OK);
    if (index < 0) {
      EXPECT_EQ(window, nullptr);
      EXPECT_STREQ(title, "");
      return;
    }
    EXPECT_EQ(window, desktop[index].window);
    EXPECT_EQ(std::string(title), desktop[index].title);
  }
};

TEST_F(TitleSearchTest, PrefixAndSubstringMatchByteForByte) {
  const std::vector<Shown> desktop = {
      show("My Editor"),
      show("Editor - proj1", /*iconic=*/true),
      show("Editor"),
      show("Monitor"),
  };
  struct Case {
    const char* text;
    int prefix;
    int substring;
  } cases[] = {
      {"Editor", 1, 0},          // begins vs. contains: the top-most matching window
      {"editor", -1, -1},        // case counts
      {"Editor - proj1", 1, 1},  // the whole title
      {"Editor - proj12", -1, -1},
      {"Edi", 1, 0},
      {"tor", -1, 0},
      {"Monitor", 3, 3},
      {"onitor", -1, 3},
      {"Editor ", 1, 1},
  };
  for (const Case& c : cases) expect_found(desktop, c.text, c.prefix, c.substring);
}

TEST_F(TitleSearchTest, NullOrEmptyTextSearchesNothing) {
  const std::vector<Shown> desktop = {show("Editor")};
  host::reset_counters();
  expect_found(desktop, nullptr, -1, -1);
  expect_found(desktop, "", -1, -1);
  EXPECT_EQ(host::counters().enumerations, 0);
}

TEST_F(TitleSearchTest, ZOrderDecidesAndFollowsTheForeground) {
  const std::vector<Shown> desktop = {show("Tool A"), show("Tool B")};
  expect_found(desktop, "Tool", 0, 0);
  ASSERT_TRUE(platform::set_foreground(desktop[1].window));
  expect_found(desktop, "Tool", 1, 1);
}

TEST_F(TitleSearchTest, LongTitlesAreCutAt349Characters) {
  const std::string long_title = std::string(349, 'a') + "TAIL" + std::string(100, 'z');
  // The cut title is what is found and returned.
  const std::vector<Shown> desktop = {{host::add_window(long_title), std::string(349, 'a')}};
  expect_found(desktop, std::string(349, 'a').c_str(), 0, 0);
  expect_found(desktop, "TAIL", -1, -1);
  // A text longer than a title can be finds nothing, whatever its length.
  host::reset_counters();
  for (std::size_t length : {350u, 352u, 5000u}) {
    expect_found(desktop, std::string(length, 'a').c_str(), -1, -1);
  }
  EXPECT_EQ(host::counters().enumerations, 0);
}

// In code page 932 the second byte of a character may equal an ASCII byte
// or a lead byte. The substring search matches only where a character of
// the title begins; the prefix search compares from byte 0 as before. Code
// page 1252 gives what it always gave.
TEST_F(TitleSearchTest, SubstringMatchesStartOnACharacterIn932) {
  const std::vector<Shown> desktop = {
      show("\x81\x83\x41"),                                      // ＜A
      show("\x83\x41\x83\x76\x83\x8A"),                          // アプリ
      show("Tool \x83\x41\x83\x43\x83\x45"),                     // Tool アイウ
      show("\x95\x5C\x8E\xA6"),                                  // 表示
      show("\x83\x47\x83\x66\x83\x42\x83\x5E - \x95\x5Cproj1"),  // エディタ - 表proj1
  };
  struct Case {
    const char* text;
    int prefix;
    int substring_932;
    int substring_1252;
  } cases[] = {
      {"\x41\x83\x43", -1, -1, 2},  // from the second byte of ア into イ
      {"\\", -1, -1, 3},            // the second byte of 表
      {"\\proj1", -1, -1, 4},
      {"\x83\x41", 1, 1, 0},  // ア; ＜A holds its bytes from its second byte on
      {"\x83\x43\x83\x45", -1, 2, 2},
      {"\x8E\xA6", -1, 3, 3},  // 示, after 表
      {"proj1", -1, 4, 4},
      {"\x83\x47", 4, 4, 4},
  };
  for (const unsigned code_page : {932u, 1252u}) {
    SCOPED_TRACE(code_page);
    restart_with_code_page(code_page);
    for (const Case& c : cases) {
      expect_found(desktop, c.text, c.prefix,
                   code_page == 932 ? c.substring_932 : c.substring_1252);
    }
  }
}

// A title is read as GetWindowTextA reads it: at most 349 bytes, and in
// code page 932 one byte fewer where the 349th is the first of a character.
TEST_F(TitleSearchTest, LongTitlesAreCutOnAWholeCharacter) {
  const std::string a = "\x83\x41";  // ア
  const std::string inside = std::string(348, 'i') + a + "zz";
  const std::string after = std::string(347, 'w') + a + "zz";
  const struct {
    unsigned code_page;
    std::string inside_cut;
    std::string after_cut;
  } cases[] = {
      {932, std::string(348, 'i'), std::string(347, 'w') + a},
      {1252, std::string(348, 'i') + "\x83", std::string(347, 'w') + a},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    SetUp();
    restart_with_code_page(c.code_page);
    const std::vector<Shown> desktop = {{host::add_window(inside), c.inside_cut},
                                        {host::add_window(after), c.after_cut}};
    expect_found(desktop, "iii", 0, 0);
    expect_found(desktop, "www", 1, 1);
    // The byte left over is not searched.
    expect_found(desktop, "i\x83", -1, c.code_page == 932 ? -1 : 0);
  }
}

TEST_F(TitleSearchTest, NullOutputsAreSkipped) {
  const Window editor = host::add_window("Editor");
  DREMOXA7_WINDOW window = nullptr;
  EXPECT_EQ(FindWinTitle("Editor", nullptr, &window), DREMOXA7_OK);
  EXPECT_EQ(window, editor);
  char title[DREMOXA7_TITLE_CAPACITY];
  EXPECT_EQ(FindWinTitleP("dit", title, nullptr), DREMOXA7_OK);
  EXPECT_STREQ(title, "Editor");
}

TEST_F(TitleSearchTest, SearchStopsAtTheFirstMatch) {
  host::add_window("Other");
  host::add_window("Editor");
  for (int i = 0; i < 10; ++i) host::add_window("Editor " + std::to_string(i));
  host::reset_counters();
  char title[DREMOXA7_TITLE_CAPACITY];
  DREMOXA7_WINDOW window;
  FindWinTitle("Editor", title, &window);
  EXPECT_EQ(host::counters().enumerations, 1);
  EXPECT_EQ(host::counters().title_reads, 2);
}

// The window closes after the walk has begun and before its title is read:
// it is passed over like any window that does not match.
TEST_F(TitleSearchTest, AWindowClosingDuringTheWalkIsPassedOver) {
  host::add_window("Other");
  const Window closing = host::add_window("Motion Tool - closing");
  const Window later = host::add_window("Motion Tool - later");
  host::before(host::Call::title_read, [&] { host::close_window(closing); });
  char title[DREMOXA7_TITLE_CAPACITY] = {};
  DREMOXA7_WINDOW window = nullptr;
  EXPECT_EQ(FindWinTitle("Motion Tool", title, &window), DREMOXA7_OK);
  EXPECT_EQ(window, later);
  EXPECT_STREQ(title, "Motion Tool - later");
}

// Another program renames its window before every title read, to a title
// that matches only on even reads: each search reads each title once, and
// answers the title it matched.
TEST_F(TitleSearchTest, ATitleChangingOnEveryReadIsAnsweredAsItWasMatched) {
  host::add_window("Other");
  const Window tool = host::add_window("Motion Tool - 0");
  int reads = 0;
  host::before(host::Call::title_read, [&] {
    ++reads;
    host::set_title(tool, (reads % 2 == 0 ? "Motion Tool - " : "Renamed ") + std::to_string(reads));
  });
  fake::suite().titles[{0, 1}] = "Motion Tool";
  const struct {
    const char* name;
    // The window found; title gets the title answered, if the search
    // answers one.
    std::function<Window(std::optional<std::string>& title)> search;
  } searches[] = {
      {"FindWinTitle",
       [](std::optional<std::string>& title) {
         char buffer[DREMOXA7_TITLE_CAPACITY] = {};
         DREMOXA7_WINDOW window = nullptr;
         EXPECT_EQ(FindWinTitle("Motion Tool", buffer, &window), DREMOXA7_OK);
         title = buffer;
         return static_cast<Window>(window);
       }},
      {"FindWinTitleP",
       [](std::optional<std::string>& title) {
         char buffer[DREMOXA7_TITLE_CAPACITY] = {};
         DREMOXA7_WINDOW window = nullptr;
         EXPECT_EQ(FindWinTitleP("Tool - ", buffer, &window), DREMOXA7_OK);
         title = buffer;
         return static_cast<Window>(window);
       }},
      {"FindZorWin",
       [](std::optional<std::string>& title) {
         short count = 0;
         DREMOXA7_WINDOW windows[DREMOXA7_FUNCTION_COUNT] = {};
         EXPECT_EQ(FindZorWin(0, 1, &count, windows), DREMOXA7_OK);
         EXPECT_EQ(count, 1);
         return static_cast<Window>(windows[1]);
       }},
  };
  for (const auto& s : searches) {
    SCOPED_TRACE(s.name);
    reads = 0;
    host::reset_counters();
    std::optional<std::string> title;
    EXPECT_EQ(s.search(title), tool);
    if (title) EXPECT_EQ(*title, "Motion Tool - 2");
    EXPECT_EQ(host::counters().title_reads, 2);
  }
}

}  // namespace
}  // namespace dremoxa7
