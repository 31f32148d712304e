// The system code page's lead bytes, from the system's own list.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

CodePage read_system_code_page() {
  CodePage code_page;
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 2) return code_page;
  // Ranges come in pairs, first and last lead byte, ended by a zero pair.
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
    code_page.add_lead_range(info.LeadByte[i], info.LeadByte[i + 1]);
  }
  return code_page;
}

}  // namespace

const CodePage& system_code_page() {
  // Built once, while the library loads (start-up asks for it first); the
  // table costs one lookup per byte afterwards, where IsDBCSLeadByte would
  // cost a call.
  static const CodePage code_page = read_system_code_page();
  return code_page;
}

}  // namespace dremoxa7::platform
