// Characters of the system code page: stepping, finding and cutting whole
// characters in code page 932, and plain bytes in a single-byte code page.
#include "base/code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "japanese_code_page.h"
#include "library_test.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace {

// Two-byte characters of code page 932 whose second byte is ASCII.
constexpr const char* kA = "\x83\x41";     // ア: 'A' second
constexpr const char* kI = "\x83\x43";     // イ: 'C' second
constexpr const char* kE = "\x83\x47";     // エ: 'G' second
constexpr const char* kHyo = "\x95\x5C";   // 表: '\' second
constexpr const char* kLess = "\x81\x83";  // ＜: its second byte leads ア
constexpr const char* kKana = "\xB1";      // ｱ: one byte above 0xA0

std::string operator""_s(const char* text, std::size_t size) { return {text, size}; }

TEST(CodePage, LeadBytesOf932) {
  const CodePage code_page = japanese_code_page();
  EXPECT_TRUE(code_page.double_byte());
  const struct {
    unsigned byte;
    bool lead;
  } cases[] = {{0x00, false}, {0x41, false}, {0x5C, false}, {0x7F, false}, {0x80, false},
               {0x81, true},  {0x9F, true},  {0xA0, false}, {0xB1, false}, {0xDF, false},
               {0xE0, true},  {0xFC, true},  {0xFD, false}, {0xFF, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(code_page.is_lead_byte(static_cast<char>(c.byte)), c.lead);
  }
  const CodePage single;
  EXPECT_FALSE(single.double_byte());
  for (unsigned b = 0; b < 256; ++b) EXPECT_FALSE(single.is_lead_byte(static_cast<char>(b)));
}

TEST(CodePage, NextCharacter) {
  const CodePage code_page = japanese_code_page();
  const std::string text = std::string("A") + kA + kKana + "\x83";  // the last lead byte alone
  const struct {
    std::size_t at;
    std::size_t next;
  } cases[] = {{0, 1}, {1, 3}, {3, 4}, {4, 5}};
  for (const auto& c : cases) EXPECT_EQ(code_page.next(text, c.at), c.next) << c.at;
  EXPECT_EQ(CodePage().next(text, 1), 2u);
}

TEST(CodePage, CutEndsOnAWholeCharacter) {
  const std::string ten_a = [] {
    std::string s;
    for (int i = 0; i < 10; ++i) s += kA;
    return s;
  }();
  const struct Case {
    const char* what;
    std::string text;
    std::size_t max;
    std::string in_932;
    std::string in_1252;
  } cases[] = {
      {"fits", "AB"_s + kA, 10, "AB"_s + kA, "AB"_s + kA},
      {"cut between characters", ten_a, 6, ten_a.substr(0, 6), ten_a.substr(0, 6)},
      {"cut inside a character", ten_a, 7, ten_a.substr(0, 6), ten_a.substr(0, 7)},
      {"cut after one byte", "Z"_s + kA, 2, "Z", "Z\x83"},
      {"cut to nothing", kA, 1, "", "\x83"},
      {"a lone lead byte at the end", "AB\x95"_s, 10, "AB", "AB\x95"},
      {"one-byte kana", "\xB1\xB2\xB3"_s, 2, "\xB1\xB2", "\xB1\xB2"},
      {"zero bytes", "AB", 0, "", ""},
      {"empty", "", 5, "", ""},
  };
  const CodePage code_page = japanese_code_page();
  const CodePage single;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(code_page.cut(c.text, c.max), c.in_932);
    EXPECT_EQ(single.cut(c.text, c.max), c.in_1252);
  }
  EXPECT_EQ(code_page.whole("AB"_s + kHyo + "\x95"), "AB"_s + kHyo);
  EXPECT_EQ(single.whole("AB\x95"_s), "AB\x95");
}

TEST(CodePage, FirstCharacters) {
  const struct Case {
    std::string text;
    std::size_t count;
    std::string in_932;
    std::string in_1252;
  } cases[] = {
      {"ABCDEF", 4, "ABCD", "ABCD"},
      {"AB", 4, "AB", "AB"},
      {"ABC"_s + kHyo + "D", 4, "ABC"_s + kHyo, "ABC\x95"},
      {std::string(kA) + kI + kE + kHyo + "Z", 4, std::string(kA) + kI + kE + kHyo,
       "\x83\x41\x83\x43"},
      {"AB\x95"_s, 4, "AB", "AB\x95"},
      {"ABC", 0, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(japanese_code_page().first_characters(c.text, c.count), c.in_932);
    EXPECT_EQ(CodePage().first_characters(c.text, c.count), c.in_1252);
  }
}

TEST(CodePage, FindStartsOnACharacter) {
  constexpr auto npos = std::string_view::npos;
  const std::string title = std::string(kA) + kI + "\x83\x45";  // アイウ
  const struct Case {
    const char* what;
    std::string text;
    std::string wanted;
    std::size_t in_932;
    std::size_t in_1252;
  } cases[] = {
      {"on a second byte", title, "A\x83\x43", npos, 1},
      {"on a character", title, kI, 2, 2},
      {"a backslash as a second byte", "\x95\x5C\x8E\xA6", "\\", npos, 1},
      {"a second byte, then a real match", "Editor - "_s + kHyo + "proj1 \\proj1", "\\proj1", 17,
       10},
      {"a match after a pair that ends in a lead byte", kLess + "A"_s + kA + "\x83\x76", kA, 3, 1},
      {"a match right after a one-byte kana", "\xB1\x83\x41"_s, kA, 1, 1},
      {"not there", "ABC", "X", npos, npos},
      {"empty text", "ABC", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(japanese_code_page().find(c.text, c.wanted), c.in_932);
    EXPECT_EQ(CodePage().find(c.text, c.wanted), c.in_1252);
  }
}

TEST(CodePage, FindACharacterAndTheLastOfSome) {
  constexpr auto npos = std::string_view::npos;
  const struct Case {
    std::string text;
    std::size_t g_in_932;
    std::size_t g_in_1252;
    std::size_t separator_in_932;
    std::size_t separator_in_1252;
  } cases[] = {
      {"Q7G2AB", 2, 2, npos, npos},
      {std::string(kE) + "G12", 2, 1, npos, npos},
      {std::string(kE) + "12", npos, 1, npos, npos},
      {"C:\\"_s + kHyo + "\\x" + kHyo + ".dll", npos, npos, 5, 8},
      {"a/b\\"_s + kHyo, npos, npos, 3, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(japanese_code_page().find(c.text, 'G'), c.g_in_932);
    EXPECT_EQ(CodePage().find(c.text, 'G'), c.g_in_1252);
    EXPECT_EQ(japanese_code_page().find_last_of(c.text, "\\/"), c.separator_in_932);
    EXPECT_EQ(CodePage().find_last_of(c.text, "\\/"), c.separator_in_1252);
  }
}

// The model's system code page: what start-up fixes for the library.
class SystemCodePageTest : public LibraryTest {};

TEST_F(SystemCodePageTest, ModelGivesTheChosenCodePage) {
  const struct {
    unsigned number;
    unsigned lead;      // a lead byte of it, or 0
    unsigned not_lead;  // a byte that leads nothing
  } cases[] = {{1252, 0, 0x81},   {932, 0xE0, 0xA0}, {936, 0xFE, 0x80},
               {949, 0xA0, 0xFF}, {950, 0x81, 0x7E}, {437, 0, 0xE0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    host::set_code_page(c.number);
    const CodePage& code_page = platform::system_code_page();
    EXPECT_EQ(code_page.double_byte(), c.lead != 0);
    if (c.lead != 0) EXPECT_TRUE(code_page.is_lead_byte(static_cast<char>(c.lead)));
    EXPECT_FALSE(code_page.is_lead_byte(static_cast<char>(c.not_lead)));
  }
  host::reset();
  EXPECT_FALSE(platform::system_code_page().double_byte());
}

}  // namespace
}  // namespace dremoxa7
