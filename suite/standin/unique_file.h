// Owns a Win32 file handle; INVALID_HANDLE_VALUE means none.
#pragma once

#include <windows.h>

namespace standin {

class UniqueFile {
 public:
  explicit UniqueFile(HANDLE handle) : handle_(handle) {}
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  ~UniqueFile() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opens an existing file for reading, letting others read, write or delete it.
inline UniqueFile open_for_reading(const char* path) {
  return UniqueFile(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace standin
