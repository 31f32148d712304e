// The clipboard, through the Win32 clipboard and global memory calls.
#include <windows.h>

#include "base/text.h"
#include "base/win32_owners.h"
#include "platform/platform.h"

namespace dremoxa7::platform {

bool open_clipboard() { return OpenClipboard(nullptr) != FALSE; }

void close_clipboard() { CloseClipboard(); }

bool empty_clipboard() { return EmptyClipboard() != FALSE; }

bool set_clipboard_text(std::string_view text, std::size_t block_size) {
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block_size));
  if (!block) return false;
  {
    const LockedGlobal locked(block.get());
    if (locked.data() == nullptr) return false;
    // A cut text ends on a whole character, never half of one.
    copy_text(locked.data(), block_size, system_code_page().cut(text, block_size - 1));
  }
  // The block is unlocked before it is handed over: once the clipboard has
  // accepted it, it is the clipboard's.
  if (SetClipboardData(CF_TEXT, block.get()) == nullptr) return false;
  static_cast<void>(block.release());
  return true;
}

}  // namespace dremoxa7::platform
