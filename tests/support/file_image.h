// The bytes of a test file, built by offset: every byte a case does not set
// is zero, so that each case shows exactly the bytes it is about.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace dremoxa7 {

class FileImage {
 public:
  explicit FileImage(std::size_t size, std::uint8_t fill = 0)
      : bytes_(size, static_cast<char>(fill)) {}

  // Sets bytes from offset on; the image grows if they reach past its end.
  FileImage& set(std::size_t offset, std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t value : values) at(offset++) = static_cast<char>(value);
    return *this;
  }
  FileImage& set(std::size_t offset, const std::vector<std::uint8_t>& values) {
    for (std::uint8_t value : values) at(offset++) = static_cast<char>(value);
    return *this;
  }
  FileImage& text(std::size_t offset, std::string_view text) {
    for (char c : text) at(offset++) = c;
    return *this;
  }

  const std::string& bytes() const { return bytes_; }

 private:
  char& at(std::size_t offset) {
    if (offset >= bytes_.size()) bytes_.resize(offset + 1, '\0');
    return bytes_[offset];
  }

  std::string bytes_;
};

}  // namespace dremoxa7
