#include "win32_clipboard.h"

#include "base/text.h"

namespace dremoxa7::win32_test {
namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 10;

}  // namespace

std::unique_ptr<ClipboardOpen> open_clipboard(HWND owner) {
  for (int attempt = 1;; ++attempt) {
    auto clipboard = std::make_unique<ClipboardOpen>(owner);
    if (*clipboard) return clipboard;
    if (attempt == kOpenAttempts) return nullptr;
    Sleep(kOpenRetryMs);
  }
}

ClipboardText read_clipboard_text(HWND owner) {
  ClipboardText read;
  const std::unique_ptr<ClipboardOpen> clipboard = open_clipboard(owner);
  if (!clipboard) return read;
  read.opened = true;
  const LockedGlobal locked(GetClipboardData(CF_TEXT));
  if (locked.data() != nullptr) read.text = std::string(bounded_view(locked.data(), locked.size()));
  return read;
}

bool put_clipboard_text(std::string_view text, HWND owner) {
  const std::unique_ptr<ClipboardOpen> clipboard = open_clipboard(owner);
  if (!clipboard || !EmptyClipboard()) return false;
  const std::size_t size = text.size() + 1;
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!block) return false;
  {
    const LockedGlobal locked(block.get());
    if (locked.data() == nullptr) return false;
    copy_text(locked.data(), size, text);
  }
  // Once the clipboard has taken the block, it is the clipboard's.
  if (SetClipboardData(CF_TEXT, block.get()) == nullptr) return false;
  static_cast<void>(block.release());
  return true;
}

}  // namespace dremoxa7::win32_test
