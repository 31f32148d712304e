// The clipboard, through the Win32 clipboard and global memory calls.
#include <windows.h>

#include "frame/text.h"
#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

// A global memory block, freed unless ownership was passed on.
class GlobalBlock {
 public:
  explicit GlobalBlock(HGLOBAL block) : block_(block) {}
  ~GlobalBlock() {
    if (block_ != nullptr) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL get() const { return block_; }
  void release() { block_ = nullptr; }

 private:
  HGLOBAL block_;
};

// A global block's memory, locked for the lifetime of the owner.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~LockedBlock() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  char* data() const { return static_cast<char*>(data_); }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace

bool open_clipboard() { return OpenClipboard(nullptr) != FALSE; }

void close_clipboard() { CloseClipboard(); }

bool empty_clipboard() { return EmptyClipboard() != FALSE; }

bool set_clipboard_text(std::string_view text, std::size_t block_size) {
  GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block_size));
  if (block.get() == nullptr) return false;
  {
    const LockedBlock locked(block.get());
    if (locked.data() == nullptr) return false;
    copy_text(locked.data(), block_size, text);
  }
  // The block is unlocked before it is handed over: once the clipboard has
  // accepted it, it is the clipboard's.
  if (SetClipboardData(CF_TEXT, block.get()) == nullptr) return false;
  block.release();
  return true;
}

}  // namespace dremoxa7::platform
