// Small owners of the Win32 handles the end-to-end programs hold.
#pragma once

#include <windows.h>

#include <utility>

namespace e2e {

// A kernel handle (process, thread); null means none.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }
  void reset() {
    if (handle_ != nullptr) CloseHandle(std::exchange(handle_, nullptr));
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

// A loaded module; null means none.
class UniqueModule {
 public:
  UniqueModule() = default;
  explicit UniqueModule(HMODULE module) : module_(module) {}
  UniqueModule(UniqueModule&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
  UniqueModule& operator=(UniqueModule&& other) noexcept {
    if (this != &other) {
      reset();
      module_ = std::exchange(other.module_, nullptr);
    }
    return *this;
  }
  ~UniqueModule() { reset(); }
  void reset() {
    if (module_ != nullptr) FreeLibrary(std::exchange(module_, nullptr));
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace e2e
