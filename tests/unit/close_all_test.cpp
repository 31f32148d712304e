// Closing every tool of the suite.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dremoxa7.h"
#include "library_test.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;
using Posted = host::PostedMessage;

constexpr short kSeries = 2;
constexpr unsigned kClose = 16;
// Far beyond what any case waits: a call still waiting then is stuck.
constexpr long kStuckMs = 600'000;

class CloseAllTest : public LibraryTest {
 protected:
  void SetUp() override { start(); }

  // A fresh desktop and suite, for each case of a table too.
  void start() {
    LibraryTest::SetUp();
    tools_.clear();
    during_sleep_ = nullptr;
    posts_at_sleep_.clear();
    journal_.clear();
    searches_seen_ = 0;
    fake::Suite& s = fake::suite();
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      s.titles[{kSeries, f}] = "Tool" + std::to_string(f) + " -";
    }
    s.work1_flag = 1;
    s.work1_display = "Display";
    s.short_pac_names[kSeries] = "PKG";
    quit_ = host::registered_message("Sfc Quit Message");
    host::on_sleep([this](long clock) {
      std::string& j = journal_;
      for (; searches_seen_ < fake::suite().calls.size(); ++searches_seen_) {
        const fake::Call& call = fake::suite().calls[searches_seen_];
        if (call.name == "GetZorFuncWinTitle") j += std::to_string(call.numbers[1]) + " ";
      }
      j += "z ";
      posts_at_sleep_.push_back(host::posted_messages().size());
      if (during_sleep_) during_sleep_(clock);
      if (clock >= kStuckMs) {
        stuck_ = true;
        for (Window w : host::z_order()) host::close_window(w);
      }
    });
  }

  void TearDown() override { EXPECT_FALSE(stuck_) << "the call waited for a window for ever"; }

  // A running tool of a function, titled after the prefix the suite gives
  // it (function 11: after the composed title). It closes `sleeps` sleeps
  // after it is asked by its own message (the quit message for 3), or never
  // (-1).
  Window run_tool(int function, int sleeps = 0, bool iconic = false) {
    const std::string title = function == 11 ? "Display - PKG / project"
                                             : "Tool" + std::to_string(function) + " - project";
    const Window window = host::add_window(title, iconic);
    if (sleeps >= 0) host::close_when_posted(window, function == 3 ? quit_ : kClose, sleeps);
    tools_[function] = window;
    return window;
  }

  bool open(int function) {
    for (Window w : host::z_order()) {
      if (w == tools_.at(function)) return true;
    }
    return false;
  }

  // The journal: the function of each title prefix asked for, and "z" for
  // each sleep, in order (function 11 is found by its composed title, with
  // no prefix asked for).
  std::string journal() {
    std::string j = journal_;
    for (std::size_t i = searches_seen_; i < fake::suite().calls.size(); ++i) {
      const fake::Call& call = fake::suite().calls[i];
      if (call.name == "GetZorFuncWinTitle") j += std::to_string(call.numbers[1]) + " ";
    }
    return j;
  }

  unsigned quit_ = 0;
  std::map<int, Window> tools_;
  std::function<void(long)> during_sleep_;
  std::vector<std::size_t> posts_at_sleep_;
  std::string journal_;
  std::size_t searches_seen_ = 0;
  bool stuck_ = false;
};

TEST_F(CloseAllTest, MembersAreAskedAtOnceThenAwaitedInOrderAndFunction32Last) {
  for (int f = 0; f <= 11; ++f) run_tool(f);
  run_tool(32, /*sleeps=*/1);
  // Slow tools: 0 goes after one poll, 4 after three, 11 after four.
  host::close_when_posted(tools_[0], kClose, 1);
  host::close_when_posted(tools_[4], kClose, 3);
  host::close_when_posted(tools_[11], kClose, 4);

  EXPECT_EQ(AllExeEnd(kSeries, 5), DREMOXA7_OK);

  const std::vector<Posted> expected = {
      {tools_[0], kClose},  {tools_[1], kClose}, {tools_[2], kClose}, {tools_[3], quit_},
      {tools_[4], kClose},  {tools_[6], kClose}, {tools_[7], kClose}, {tools_[8], kClose},
      {tools_[11], kClose}, {tools_[32], kClose}};
  EXPECT_EQ(host::posted_messages(), expected);
  // Each is brought to the front just before it is asked.
  EXPECT_EQ(host::counters().foreground_requests, 10);
  EXPECT_EQ(host::foreground_window(), nullptr);  // the last one in front went
  // Asked 0..8 (not 5); awaited in order, 11 included (the sleep after 8);
  // the pause; then 32 asked and awaited.
  EXPECT_EQ(journal(),
            "0 1 2 3 4 6 7 8 "
            "0 z 0 1 2 3 4 z 4 z 4 6 7 8 z "
            "z "
            "32 32 z 32 ");
  EXPECT_EQ(posts_at_sleep_, (std::vector<std::size_t>{9, 9, 9, 9, 9, 10}));
  EXPECT_EQ(host::clock_ms(), 3000);

  // The caller (5), 9 (no member) and 10 (never closed) keep running.
  for (int f : {5, 9, 10}) EXPECT_TRUE(open(f)) << f;
  for (int f : {0, 1, 2, 3, 4, 6, 7, 8, 11, 32}) EXPECT_FALSE(open(f)) << f;
  EXPECT_EQ(fake::suite().calls_of("GetZorWork1Info"),
            (std::vector<fake::Call>{{"GetZorWork1Info", {2}, {}}}));
  EXPECT_EQ(fake::suite().calls_of("GetZorShortPacName"),
            (std::vector<fake::Call>{{"GetZorShortPacName", {kSeries}, {}}}));
}

// Who is asked, with every tool running and closing as soon as it is asked.
struct SetCase {
  const char* name;
  short except;
  std::int16_t work1_flag;
  std::vector<int> asked;  // in the order asked
  long enumerations;       // one per search: asking and awaiting each member
  bool short_name_asked;
};

const SetCase kSetCases[] = {
    {"CallerIs32", 32, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 11}, 20, true},
    {"Work1FlagOff", 0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 32}, 18, false},
    {"Work1FlagNotExactly1", 0, 2, {1, 2, 3, 4, 5, 6, 7, 8, 32}, 18, false},
    {"CallerIs11", 11, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 32}, 20, false},
    {"CallerIsNoMember", 47, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 32}, 22, true},
};

TEST_F(CloseAllTest, CloseSetFollowsTheCallerAndTheWork1Flag) {
  for (const SetCase& c : kSetCases) {
    SCOPED_TRACE(c.name);
    start();
    fake::suite().work1_flag = c.work1_flag;
    for (int f : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 32}) run_tool(f);

    EXPECT_EQ(AllExeEnd(kSeries, c.except), DREMOXA7_OK);
    std::vector<Window> asked;
    for (const Posted& p : host::posted_messages()) asked.push_back(p.window);
    std::vector<Window> expected;
    for (int f : c.asked) expected.push_back(tools_[f]);
    EXPECT_EQ(asked, expected);
    for (int f : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 32}) {
      const bool member = std::find(c.asked.begin(), c.asked.end(), f) != c.asked.end();
      EXPECT_EQ(open(f), !member) << f;
    }
    EXPECT_EQ(host::counters().enumerations, c.enumerations);
    EXPECT_EQ(host::counters().sleeps, 1);
    EXPECT_EQ(fake::suite().calls_of("GetZorShortPacName").size(), c.short_name_asked ? 1u : 0u);
  }
}

TEST_F(CloseAllTest, NoToolRunningIsOnePauseAndNothingElse) {
  host::add_window("Unrelated");
  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  EXPECT_EQ(host::counters().sleeps, 1);
  EXPECT_EQ(host::clock_ms(), 500);
  EXPECT_EQ(host::counters().posts, 0);
  EXPECT_EQ(host::counters().foreground_requests, 0);
  EXPECT_EQ(host::counters().restore_requests, 0);
  // Each member (1..8, 11, 32) looked for once when asked, once awaited.
  EXPECT_EQ(host::counters().enumerations, 20);
}

TEST_F(CloseAllTest, WithoutAShortPackageNameTheTitleEndsAfterTheDash) {
  fake::suite().failures["GetZorShortPacName"][kSeries] = 9;
  fake::suite().short_pac_name_on_failure = "half-written";  // not a name
  const Window tool = host::add_window("Display - project");
  host::close_when_posted(tool, kClose, 0);
  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(), (std::vector<Posted>{{tool, kClose}}));
  EXPECT_TRUE(host::z_order().empty());
}

TEST_F(CloseAllTest, DisplayTextAndNameFillingTheirBuffersMakeTheWholeTitle) {
  fake::Suite& s = fake::suite();
  s.fill_buffers = true;
  s.work1_display = std::string(64, 'D') + "beyond";
  s.short_pac_names[kSeries] = std::string(32, 'N') + "beyond";
  const std::string title = std::string(64, 'D') + " - " + std::string(32, 'N');
  const Window cut = host::add_window(title.substr(0, title.size() - 1) + "x");
  const Window tool = host::add_window(title + "beyond");
  host::close_when_posted(tool, kClose, 0);
  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(), (std::vector<Posted>{{tool, kClose}}));
  EXPECT_EQ(host::z_order(), (std::vector<Window>{cut}));
}

TEST_F(CloseAllTest, SlowAndHungToolsAreAwaitedWithoutHoldingUpTheOthers) {
  // 2 is minimised and does not answer until the third poll; 6 takes four.
  const Window hung = run_tool(2, 0, /*iconic=*/true);
  host::stop_answering(hung);
  for (int f : {1, 6, 8}) run_tool(f, f == 6 ? 4 : 0);
  during_sleep_ = [&](long clock) {
    if (clock == 1500) host::answer_again(hung);
  };

  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  // All were asked before the first poll; the hung one's restore waited
  // for it, and then it went.
  EXPECT_EQ(posts_at_sleep_.front(), 4u);
  EXPECT_EQ(host::window_events(),
            (std::vector<host::WindowEvent>{{host::WindowEvent::foreground, tools_[1]},
                                            {host::WindowEvent::foreground, hung},
                                            {host::WindowEvent::restore_request, hung},
                                            {host::WindowEvent::foreground, tools_[6]},
                                            {host::WindowEvent::foreground, tools_[8]},
                                            {host::WindowEvent::restored, hung}}));
  EXPECT_EQ(journal(), "1 2 3 4 5 6 7 8 1 2 z 2 z 2 z 2 3 4 5 6 z 6 7 8 z 32 32 ");
  EXPECT_EQ(host::clock_ms(), 2500);
}

TEST_F(CloseAllTest, AToolThatNeverClosesKeepsTheCallWaiting) {
  const Window stubborn = run_tool(4, /*sleeps=*/-1);
  during_sleep_ = [&](long clock) {
    if (clock == 60'000) host::close_window(stubborn);  // the user ends it
  };
  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(), (std::vector<Posted>{{stubborn, kClose}}));
  EXPECT_EQ(host::clock_ms(), 60'500);
  EXPECT_EQ(host::counters().sleeps, 121);
}

TEST_F(CloseAllTest, AWindowNobodyAskedIsAskedWhenTheWaitFindsIt) {
  // A second instance of 2 lies below the first; 7 starts while 0 is
  // awaited. Waiting for either without asking would never end.
  run_tool(0, 1);
  const Window first = run_tool(2);
  const Window second = host::add_window("Tool2 - second instance");
  host::close_when_posted(second, kClose, 1);
  Window late = nullptr;
  during_sleep_ = [&](long clock) {
    if (clock != 500) return;
    late = host::add_window("Tool7 - started late");
    host::close_when_posted(late, kClose, 0);
  };

  EXPECT_EQ(AllExeEnd(kSeries, 5), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(),
            (std::vector<Posted>{
                {tools_[0], kClose}, {first, kClose}, {second, kClose}, {late, kClose}}));
  EXPECT_TRUE(host::z_order().empty());
}

// A tool that asks "save changes?" before it closes is asked once: its
// prompt, titled like the tool, is waited for and never sent the close
// request, which would cancel it, until the user has answered it.
TEST_F(CloseAllTest, AToolThatPromptsIsAskedOnceAndWaitedForUntilTheUserAnswers) {
  const Window tool = run_tool(4, /*sleeps=*/-1);
  host::prompt_when_posted(tool, kClose, "Tool4 - project: save changes?", 4);
  EXPECT_EQ(AllExeEnd(kSeries, 0), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(), (std::vector<Posted>{{tool, kClose}}));
  EXPECT_EQ(host::counters().foreground_requests, 1);
  EXPECT_TRUE(host::z_order().empty());
  EXPECT_EQ(host::counters().sleeps, 5);  // four while the prompt is open, the pause
}

// The caller's own window titled like a member cannot close while the call
// holds its thread: it is asked, as any member window is, but not waited
// for. Another program's window of that member still is.
TEST_F(CloseAllTest, TheCallersOwnWindowIsAskedButNotAwaited) {
  const Window other = run_tool(5);
  const Window mine = host::add_own_window("Tool5 - project");
  ASSERT_TRUE(platform::set_foreground(mine));
  EXPECT_EQ(AllExeEnd(kSeries, 6), DREMOXA7_OK);
  EXPECT_EQ(host::posted_messages(), (std::vector<Posted>{{mine, kClose}, {other, kClose}}));
  EXPECT_EQ(host::z_order(), (std::vector<Window>{mine}));
  EXPECT_EQ(host::counters().sleeps, 2);
}

// A suite library failure ends the call with its code at once.
struct FailureCase {
  const char* name;
  const char* call;
  long key;
  std::int16_t code;
  bool from_first_sleep;  // the failure starts only then
  std::string journal;
  std::vector<int> asked;
};

const FailureCase kFailureCases[] = {
    {"Work1Info", "GetZorWork1Info", 2, 11, false, "", {}},
    {"WhileAsking", "GetZorFuncWinTitle", 4, 7, false, "0 1 2 3 4 ", {0, 1, 3}},
    {"WhileWaiting",
     "GetZorFuncWinTitle",
     6,
     -5,
     true,
     "0 1 2 3 4 6 7 8 0 1 z 1 z 1 2 3 4 6 ",
     {0, 1, 3, 6, 11}},
};

TEST_F(CloseAllTest, ASuiteFailureEndsTheCallWithItsCode) {
  for (const FailureCase& c : kFailureCases) {
    SCOPED_TRACE(c.name);
    start();
    for (int f : {0, 3, 6, 11}) run_tool(f);
    run_tool(1, 2);
    run_tool(32);
    if (c.from_first_sleep) {
      during_sleep_ = [&](long) { fake::suite().failures[c.call][c.key] = c.code; };
    } else {
      fake::suite().failures[c.call][c.key] = c.code;
    }

    EXPECT_EQ(AllExeEnd(kSeries, 5), c.code);
    EXPECT_EQ(journal(), c.journal);
    std::vector<Window> expected;
    for (int f : c.asked) expected.push_back(tools_[f]);
    std::vector<Window> asked;
    for (const Posted& p : host::posted_messages()) asked.push_back(p.window);
    EXPECT_EQ(asked, expected);
    EXPECT_TRUE(open(32));
  }
}

TEST_F(CloseAllTest, ArgumentsOutOfRangeDoNothing) {
  run_tool(1);
  const std::pair<short, short> cases[] = {{-1, 0}, {16, 0}, {0, -1}, {0, 48}};
  for (const auto& [series, except] : cases) {
    EXPECT_EQ(AllExeEnd(series, except), DREMOXA7_OUT_OF_RANGE) << series << " " << except;
  }
  EXPECT_TRUE(fake::suite().calls.empty());
  EXPECT_EQ(host::counters().sleeps, 0);
  EXPECT_EQ(host::counters().posts, 0);
}

}  // namespace
}  // namespace dremoxa7
