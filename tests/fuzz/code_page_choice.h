// The code page a fuzz input asks for, and an independent reading of its
// characters to check the library's against.
//
// The choice is the input's byte after the file bytes: odd for the
// double-byte code page 932, else a single-byte one. Inputs that end
// sooner (every seed) keep the single-byte code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/code_page.h"

namespace dremoxa7::fuzz {

// Lead bytes of code page 932.
inline bool japanese_lead_byte(char byte) {
  const auto b = static_cast<std::uint8_t>(byte);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline CodePage code_page_for(std::uint8_t choice) {
  CodePage code_page;
  if (choice & 1) {
    code_page.add_lead_range(0x81, 0x9F);
    code_page.add_lead_range(0xE0, 0xFC);
  }
  return code_page;
}

// Where each character of text begins, walked byte by byte: calls
// visit(offset, length) for every whole character and returns the bytes
// they cover (a last lead byte without its second byte is not covered).
template <class Visit>
std::size_t walk_characters(std::string_view text, bool double_byte, Visit visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t length = 1;
    if (double_byte && japanese_lead_byte(text[at])) {
      if (at + 1 == text.size()) break;
      length = 2;
    }
    visit(at, length);
    at += length;
  }
  return at;
}

}  // namespace dremoxa7::fuzz
