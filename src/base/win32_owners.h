// Owners of the Win32 handles that the library, its stand-ins, its test
// programs and the demo hold. Kernel objects are "none" when null, except
// files, which the system reports as INVALID_HANDLE_VALUE.
#pragma once

#ifndef _WIN32
#error "Win32 owners are for the Windows builds only"
#endif

#include <windows.h>

#include "base/unique_resource.h"

namespace dremoxa7 {

namespace detail {
inline void close_handle(HANDLE handle) noexcept { CloseHandle(handle); }
inline void free_library(HMODULE module) noexcept { FreeLibrary(module); }
inline void free_global(HGLOBAL block) noexcept { GlobalFree(block); }
inline void destroy_window(HWND window) noexcept { DestroyWindow(window); }

struct FileHandlePolicy {
  using Handle = HANDLE;
  static Handle none() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle handle) noexcept { CloseHandle(handle); }
};
}  // namespace detail

// Processes, threads, events: null is none.
using UniqueHandle = UniqueResource<NullIsNone<HANDLE, detail::close_handle>>;
// Files from CreateFileA: INVALID_HANDLE_VALUE is none.
using UniqueFile = UniqueResource<detail::FileHandlePolicy>;
using UniqueModule = UniqueResource<NullIsNone<HMODULE, detail::free_library>>;
using UniqueWindow = UniqueResource<NullIsNone<HWND, detail::destroy_window>>;
// A global memory block, freed unless it was handed on (to the clipboard).
using UniqueGlobal = UniqueResource<NullIsNone<HGLOBAL, detail::free_global>>;

// A global block's memory, locked for the lifetime of the owner; data() is
// null when the block could not be locked.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL block) noexcept : block_(block), data_(GlobalLock(block)) {}
  ~LockedGlobal() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  char* data() const noexcept { return static_cast<char*>(data_); }
  SIZE_T size() const noexcept { return data_ != nullptr ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

// The clipboard, open (for owner, which may be null) for the lifetime of
// the session if opening succeeded.
class ClipboardOpen {
 public:
  explicit ClipboardOpen(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardOpen() {
    if (open_) CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  explicit operator bool() const noexcept { return open_; }

 private:
  bool open_;
};

}  // namespace dremoxa7
