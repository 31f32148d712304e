// A zero-terminated text in a fixed buffer. Every write is bounded by the
// buffer: what does not fit is cut, and the text stays terminated.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace dremoxa7 {

// Copies source into destination (capacity bytes), cutting it to
// capacity - 1 characters and terminating it. Returns the characters copied.
inline std::size_t copy_text(char* destination, std::size_t capacity, std::string_view source) {
  if (capacity == 0) return 0;
  const std::size_t n = source.size() < capacity - 1 ? source.size() : capacity - 1;
  if (n != 0) std::memcpy(destination, source.data(), n);
  destination[n] = '\0';
  return n;
}

// The zero-terminated text in a buffer of capacity bytes, which need not
// hold a terminator: it then ends with the buffer.
inline std::string_view bounded_view(const char* buffer, std::size_t capacity) {
  const void* end = std::memchr(buffer, '\0', capacity);
  return {buffer,
          end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer) : capacity};
}

// A null text counts as empty.
inline std::string_view view_of(const char* text) { return text ? std::string_view(text) : ""; }

template <std::size_t Capacity>
class Text {
 public:
  static constexpr std::size_t capacity = Capacity;

  Text() = default;
  explicit Text(std::string_view s) { append(s); }

  // Appends what fits; false when something was cut.
  bool append(std::string_view s) {
    const std::size_t room = Capacity - 1 - size_;
    const std::size_t n = s.size() < room ? s.size() : room;
    if (n != 0) std::memcpy(data_ + size_, s.data(), n);
    size_ += n;
    data_[size_] = '\0';
    return n == s.size();
  }

  const char* c_str() const { return data_; }
  std::string_view view() const { return {data_, size_}; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  char data_[Capacity] = {};
  std::size_t size_ = 0;
};

}  // namespace dremoxa7
