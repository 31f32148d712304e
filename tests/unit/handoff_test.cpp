// The clipboard hand-off.
#include "launch/handoff.h"

#include <string>

#include "library_test.h"

namespace dremoxa7 {
namespace {

class HandoffTest : public LibraryTest {};

TEST_F(HandoffTest, TextTravelsInAZeroFilledBlockOf400Bytes) {
  const std::string exact(399, 'x');
  const std::string longer = std::string(399, 'y') + std::string(101, 'z');
  const struct {
    std::string text;
    std::string arrives;
  } cases[] = {{"AB,XY,5,1,TARVELONIK", "AB,XY,5,1,TARVELONIK"},
               {exact, exact},
               {longer, std::string(399, 'y')},
               {"", ""}};
  for (const auto& c : cases) {
    host::put_clipboard_text("earlier content");
    launch::put_handoff_text(c.text);
    const auto block = host::clipboard_block();
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size(), 400u);
    EXPECT_EQ(host::clipboard_text(), c.arrives);
    EXPECT_EQ(block->find_first_not_of('\0', c.arrives.size()), std::string::npos);
    EXPECT_FALSE(host::clipboard_is_open());
  }
}

// A text longer than the block is cut on a whole character: in code page
// 932, 200 two-byte characters (400 bytes) become 199 of them.
TEST_F(HandoffTest, LongTextIsCutOnAWholeCharacter) {
  std::string katakana;
  for (int i = 0; i < 200; ++i) katakana += "\x83\x41";                      // ア
  const std::string after_one = "x" + katakana.substr(0, 398) + "\x95\x5C";  // x, 199 ア, 表
  const struct {
    unsigned code_page;
    std::string text;
    std::string arrives;
  } cases[] = {
      {932, katakana, katakana.substr(0, 398)},
      {932, after_one, after_one.substr(0, 399)},
      {1252, katakana, katakana.substr(0, 399)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    restart_with_code_page(c.code_page);
    launch::put_handoff_text(c.text);
    const auto block = host::clipboard_block();
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size(), 400u);
    EXPECT_EQ(host::clipboard_text(), c.arrives);
  }
}

TEST_F(HandoffTest, BrieflyHeldClipboardIsWaitedFor) {
  host::hold_clipboard(2);
  launch::put_handoff_text("hello");
  EXPECT_EQ(host::clipboard_text(), "hello");
  EXPECT_EQ(host::counters().clipboard_opens, 3);
  EXPECT_EQ(host::clock_ms(), 20);  // two pauses of 10 ms
}

TEST_F(HandoffTest, HeldClipboardIsGivenUpAfterAFewTries) {
  host::put_clipboard_text("owner's text");
  host::hold_clipboard(-1);
  launch::put_handoff_text("hello");
  EXPECT_EQ(host::clipboard_text(), "owner's text");
  EXPECT_EQ(host::counters().clipboard_opens, 5);
  EXPECT_LE(host::clock_ms(), 100);
}

TEST_F(HandoffTest, RefusedBlockLeavesTheClipboardEmptyAndClosed) {
  host::put_clipboard_text("earlier content");
  host::refuse_clipboard_data(true);
  launch::put_handoff_text("hello");
  EXPECT_FALSE(host::clipboard_block().has_value());
  EXPECT_FALSE(host::clipboard_is_open());
}

}  // namespace
}  // namespace dremoxa7
