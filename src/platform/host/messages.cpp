// The host model's message boxes: recorded, answered at once.
#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {

const std::vector<Message>& messages() {
  const auto lock = host::lock_world();
  return world().messages;
}

}  // namespace host

namespace platform {

void show_message(const char* text, const char* caption) {
  const auto lock = host::lock_world();
  host::world().messages.push_back(
      {std::string(view_of(text)), std::string(view_of(caption)), host::open_file_count()});
}

}  // namespace platform
}  // namespace dremoxa7
