// The host model's clipboard: one plain-text block, which another program
// may hold open.
#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {

void hold_clipboard(int attempts) {
  const auto lock = host::lock_world();
  world().clipboard.held_attempts = attempts;
}
void refuse_clipboard_data(bool refuse) {
  const auto lock = host::lock_world();
  world().clipboard.refuse_data = refuse;
}
void put_clipboard_text(const std::string& text) {
  const auto lock = host::lock_world();
  world().clipboard.block = text + '\0';
}
void take_clipboard(const std::string& text) {
  const auto lock = host::lock_world();
  world().clipboard.block = text + '\0';
  world().clipboard.open = false;
}
std::optional<std::string> clipboard_block() {
  const auto lock = host::lock_world();
  return world().clipboard.block;
}

std::string clipboard_text() {
  const auto lock = host::lock_world();
  const auto& block = world().clipboard.block;
  return block ? std::string(bounded_view(block->data(), block->size())) : std::string();
}

bool clipboard_is_open() {
  const auto lock = host::lock_world();
  return world().clipboard.open;
}

}  // namespace host

namespace platform {

bool open_clipboard() {
  const auto lock = host::lock_world();
  auto& clipboard = host::world().clipboard;
  ++host::world().counters.clipboard_opens;
  if (clipboard.held_attempts != 0) {
    if (clipboard.held_attempts > 0) --clipboard.held_attempts;
    return false;
  }
  if (clipboard.open) return false;
  clipboard.open = true;
  return true;
}

void close_clipboard() {
  const auto lock = host::lock_world();
  host::world().clipboard.open = false;
}

bool empty_clipboard() {
  const auto lock = host::lock_world();
  auto& clipboard = host::world().clipboard;
  if (!clipboard.open) return false;
  clipboard.block.reset();
  return true;
}

bool set_clipboard_text(std::string_view text, std::size_t block_size) {
  host::run_hook(host::Call::clipboard_set);
  const auto lock = host::lock_world();
  auto& clipboard = host::world().clipboard;
  if (!clipboard.open || clipboard.refuse_data || block_size == 0) return false;
  std::string block(block_size, '\0');
  copy_text(block.data(), block_size, host::world().code_page.cut(text, block_size - 1));
  clipboard.block = std::move(block);
  return true;
}

}  // namespace platform
}  // namespace dremoxa7
