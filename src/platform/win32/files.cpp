// Files through the Win32 file calls.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

HANDLE to_handle(FileId file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

bool path_exists(const char* path) {
  // Attributes answer for files and directories alike, and a name holding
  // search wildcards names nothing rather than matching other entries.
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool delete_file(const char* path) { return DeleteFileA(path) != FALSE; }

FileId open_file(const char* path, Sharing sharing) {
  const DWORD share = sharing == Sharing::read_write ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  const HANDLE handle = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileId>(handle);
}

long seek_file(FileId file, long offset) {
  // A position of 0xFFFFFFFF is told from a failure by the last error.
  SetLastError(NO_ERROR);
  const DWORD position = SetFilePointer(to_handle(file), offset, nullptr, FILE_BEGIN);
  if (position == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  return static_cast<long>(position);
}

long read_file(FileId file, void* buffer, std::size_t size) {
  DWORD got = 0;
  if (!ReadFile(to_handle(file), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
  return static_cast<long>(got);
}

void close_file(FileId file) { CloseHandle(to_handle(file)); }

FileId open_shared_append(const char* path) {
  // Append access without FILE_WRITE_DATA: every write goes to the end of
  // the file as it stands at that write. Reading access lets the writers
  // lock a byte of the file (append_to_file).
  const HANDLE handle = CreateFileA(path, FILE_APPEND_DATA | FILE_READ_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileId>(handle);
}

namespace {

// Appending writers take turns through an exclusive lock on one byte far
// beyond any end of file, which no reader or writer of the data meets. An
// append alone is one step on a local NTFS volume, but two (find the end,
// write there) under Wine and on some network shares, where another
// process could write in between. Locks are per handle, so the threads of
// one process take turns too. A file that cannot be locked is written
// anyway.
class AppendTurn {
 public:
  explicit AppendTurn(HANDLE file) : file_(file) {
    place_.Offset = 0xFFFFFFF0;
    place_.OffsetHigh = 0x7FFFFFFF;
    held_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &place_) != FALSE;
  }
  ~AppendTurn() {
    if (held_) UnlockFileEx(file_, 0, 1, 0, &place_);
  }
  AppendTurn(const AppendTurn&) = delete;
  AppendTurn& operator=(const AppendTurn&) = delete;

 private:
  HANDLE file_;
  OVERLAPPED place_{};
  bool held_ = false;
};

}  // namespace

bool append_to_file(FileId file, std::string_view bytes) {
  const AppendTurn turn(to_handle(file));
  // Both offsets all ones: at the end of the file, whatever the handle's
  // own position says.
  OVERLAPPED at_end{};
  at_end.Offset = 0xFFFFFFFF;
  at_end.OffsetHigh = 0xFFFFFFFF;
  DWORD written = 0;
  return WriteFile(to_handle(file), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   &at_end) != FALSE &&
         written == bytes.size();
}

}  // namespace dremoxa7::platform
