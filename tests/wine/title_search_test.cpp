// FindWinTitle and FindWinTitleP on real top-level windows.
#include <cstring>
#include <memory>

#include "e2e_test.h"

namespace e2e {
namespace {

// A title of 400 characters with a marker past the 349 that a search reads.
const std::string kLongTitle = [] {
  std::string title = "Dx7 Long ";
  title.resize(360, 'x');
  title += "TAILMARK";
  title.resize(400, 'y');
  return title;
}();

enum Tool { kNone = -1, kEditor, kMyEditor, kExact, kLong, kHidden, kMinimised };

// The title a search gives back for each tool: a title is read up to 349
// characters.
const std::string kFoundTitle[] = {
    "Dx7 Editor - proj1", "My Dx7 Editor",  "Dx7 Exact", "Dx7 Long " + std::string(340, 'x'),
    "Dx7 Hidden Tool",    "Dx7 Small Tool",
};

class TitleSearch : public LibraryTest {
 protected:
  static void SetUpTestSuite() {
    tools_ = std::make_unique<FixtureProcess>(std::vector<std::string>{
        "--window", "Dx7 Editor - proj1", "--window", "My Dx7 Editor", "--window", "Dx7 Exact",
        "--window", kLongTitle, "--window", "Dx7 Hidden Tool", "--hidden", "--window",
        "Dx7 Small Tool", "--minimized"});
  }
  static void TearDownTestSuite() { tools_.reset(); }
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(tools_->ready()) << tools_->error();
  }

  // Calls the search and checks its window and title against tool.
  static void expect_finds(decltype(&::FindWinTitle) search, const std::string& text, int tool) {
    char title[DREMOXA7_TITLE_CAPACITY];
    std::memset(title, 'Q', sizeof title);
    HWND window = poison_window();
    EXPECT_EQ(search(text.c_str(), title, &window), DREMOXA7_OK);
    if (tool == kNone) {
      EXPECT_EQ(window, nullptr);
      EXPECT_STREQ(title, "");
      return;
    }
    EXPECT_EQ(window, tools_->window(tool)) << "found \"" << title << "\"";
    EXPECT_EQ(std::string(title), kFoundTitle[tool]);
  }

  static std::unique_ptr<FixtureProcess> tools_;
};

std::unique_ptr<FixtureProcess> TitleSearch::tools_;

TEST_F(TitleSearch, PrefixAndSubstringOnRealTitles) {
  struct Case {
    const char* what;
    std::string text;
    int by_prefix;
    int by_substring;
  };
  const Case cases[] = {
      {"start of a title", "Dx7 Editor - pr", kEditor, kEditor},
      {"inside a title only", "Editor - proj1", kNone, kEditor},
      {"end of a title", "proj1", kNone, kEditor},
      {"another title's start", "My Dx7", kMyEditor, kMyEditor},
      {"case differs", "dx7 editor - proj1", kNone, kNone},
      {"the whole title", "Dx7 Exact", kExact, kExact},
      {"longer than the title", "Dx7 Exact!", kNone, kNone},
      {"hidden window", "Dx7 Hidden", kHidden, kHidden},
      {"minimised window", "Dx7 Small", kMinimised, kMinimised},
      {"349 characters of a long title", kLongTitle.substr(0, 349), kLong, kLong},
      {"350 characters of a long title", kLongTitle.substr(0, 350), kNone, kNone},
      {"text past character 349", "TAILMARK", kNone, kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expect_finds(dll().FindWinTitle, c.text, c.by_prefix);
    expect_finds(dll().FindWinTitleP, c.text, c.by_substring);
  }
}

TEST_F(TitleSearch, NullOrEmptyTextFindsNothing) {
  for (const auto search : {dll().FindWinTitle, dll().FindWinTitleP}) {
    for (const char* text : {static_cast<const char*>(nullptr), ""}) {
      SCOPED_TRACE(text ? "empty text" : "null text");
      char title[DREMOXA7_TITLE_CAPACITY] = "stale";
      HWND window = poison_window();
      EXPECT_EQ(search(text, title, &window), DREMOXA7_OK);
      EXPECT_EQ(window, nullptr);
      EXPECT_STREQ(title, "");
    }
  }
}

// Two tools whose titles share the search text: the one on top of the
// Z-order is found, and raising the other changes the answer. (The raise is
// the driver's own: under Wine without a window manager a foreground change
// does not reorder the windows, unlike on Windows.)
TEST(TitleSearchOrder, WindowOnTopIsFoundFirst) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  const Exports& dll = library.exports();
  FixtureProcess a({"--window", "Dx7 Twin A"});
  FixtureProcess b({"--window", "Dx7 Twin B"});
  ASSERT_TRUE(a.ready()) << a.error();
  ASSERT_TRUE(b.ready()) << b.error();

  const struct {
    const FixtureProcess* tool;
    const char* title;
  } tops[] = {{&a, "Dx7 Twin A"}, {&b, "Dx7 Twin B"}, {&a, "Dx7 Twin A"}};
  for (const auto& top : tops) {
    SCOPED_TRACE(top.title);
    ASSERT_TRUE(BringWindowToTop(top.tool->window(0)));
    char title[DREMOXA7_TITLE_CAPACITY] = {};
    HWND window = nullptr;
    dll.FindWinTitle("Dx7 Twin", title, &window);
    EXPECT_EQ(window, top.tool->window(0));
    EXPECT_EQ(std::string(title), top.title);
    dll.FindWinTitleP("Twin ", title, &window);
    EXPECT_EQ(window, top.tool->window(0));
  }
}

}  // namespace
}  // namespace e2e
