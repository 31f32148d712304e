// The host model's system code page.
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {

void set_code_page(unsigned number) {
  CodePage code_page;
  switch (number) {
    case 932:
      code_page.add_lead_range(0x81, 0x9F);
      code_page.add_lead_range(0xE0, 0xFC);
      break;
    case 936:
    case 949:
    case 950:
      code_page.add_lead_range(0x81, 0xFE);
      break;
    default:
      break;
  }
  const auto lock = lock_world();
  world().code_page = code_page;
}

}  // namespace host

namespace platform {

const CodePage& system_code_page() {
  const auto lock = host::lock_world();
  return host::world().code_page;
}

}  // namespace platform
}  // namespace dremoxa7
