// Characters of the system code page in 8-bit texts.
//
// In a single-byte code page (1252 and the like) every byte is a character.
// In a double-byte one (932, 936, 949, 950) a lead byte and the byte after
// it form one character, and that second byte may equal an ASCII byte ('A',
// 'G', '\\', ...). A scan that steps bytewise then finds half a character,
// and a cut may split one. These helpers step and cut by whole characters;
// for a single-byte code page they are the plain byte operations, with no
// cost per byte beyond them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace dremoxa7 {

// The most bytes one character takes in any code page the library meets.
inline constexpr std::size_t kLongestCharacter = 2;

class CodePage {
 public:
  // A single-byte code page.
  CodePage() = default;

  // Marks first..last (inclusive) as lead bytes, as the system lists them
  // (CPINFO.LeadByte).
  void add_lead_range(unsigned char first, unsigned char last) {
    for (unsigned b = first; b <= last; ++b) lead_[b] = true;
    double_byte_ = true;
  }

  bool double_byte() const { return double_byte_; }

  bool is_lead_byte(char byte) const { return lead_[static_cast<unsigned char>(byte)]; }

  // Where the character after the one at `at` begins. A lead byte that ends
  // the text is a character of its own (a broken one).
  std::size_t next(std::string_view text, std::size_t at) const {
    return at + (is_lead_byte(text[at]) && at + 1 < text.size() ? 2 : 1);
  }

  // The longest start of text that holds at most max_bytes bytes and only
  // whole characters: a lead byte whose second byte is cut off or missing
  // is left out with it.
  std::string_view cut(std::string_view text, std::size_t max_bytes) const {
    if (!double_byte_) return text.substr(0, max_bytes);
    const std::size_t end = text.size() < max_bytes ? text.size() : max_bytes;
    std::size_t at = 0;
    while (at < end) {
      if (!is_lead_byte(text[at])) {
        ++at;
      } else if (at + 1 < end) {
        at += 2;
      } else {
        break;
      }
    }
    return text.substr(0, at);
  }

  // text without a broken last character.
  std::string_view whole(std::string_view text) const { return cut(text, text.size()); }

  // At most count characters from the start of text, whole ones only.
  std::string_view first_characters(std::string_view text, std::size_t count) const {
    if (!double_byte_) return text.substr(0, count);
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.size(); ++n) at = next(text, at);
    return whole(text.substr(0, at));
  }

  // Where the first character equal to c (an ASCII byte) begins; npos
  // without one. The same byte as the second of a pair is no match.
  std::size_t find(std::string_view text, char c) const {
    if (!double_byte_) return text.find(c);
    for (std::size_t at = 0; at < text.size(); at = next(text, at)) {
      if (text[at] == c) return at;
    }
    return std::string_view::npos;
  }

  // Where wanted first occurs in text starting on a character; npos when
  // it does not.
  std::size_t find(std::string_view text, std::string_view wanted) const {
    std::size_t hit = text.find(wanted);
    if (!double_byte_) return hit;
    // Character starts are walked once, up to each byte match in turn.
    std::size_t at = 0;
    while (hit != std::string_view::npos) {
      while (at < hit) at = next(text, at);
      if (at == hit) return hit;
      hit = text.find(wanted, at);
    }
    return hit;
  }

  // Where the last character that is one of chars (ASCII bytes) begins;
  // npos without one.
  std::size_t find_last_of(std::string_view text, std::string_view chars) const {
    if (!double_byte_) return text.find_last_of(chars);
    std::size_t last = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at = next(text, at)) {
      if (chars.find(text[at]) != std::string_view::npos) last = at;
    }
    return last;
  }

 private:
  std::array<bool, 256> lead_{};
  bool double_byte_ = false;
};

}  // namespace dremoxa7
