// One owner for every kind of handle the library and its tools hold: the
// policy of a kind says which value means "none" and how a handle is given
// back. The owner closes what it holds when it goes out of scope, is moved
// but never copied, and can hand its handle on (release).
#pragma once

#include <utility>

namespace dremoxa7 {

template <class Policy>
class UniqueResource {
 public:
  using Handle = typename Policy::Handle;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  // Closes what is held and takes handle instead.
  void reset(Handle handle = Policy::none()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Policy::none()) Policy::close(old);
  }
  // Gives up ownership without closing.
  [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Policy::none()); }
  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Policy::none(); }

 private:
  Handle handle_ = Policy::none();
};

// The common policy: a null handle means none, and close gives one back.
template <class T, auto Close>
struct NullIsNone {
  using Handle = T;
  static constexpr Handle none() noexcept { return Handle{}; }
  static void close(Handle handle) noexcept { Close(handle); }
};

}  // namespace dremoxa7
