// Code page 932 as the system lists its lead bytes, for tests of the pure
// text functions that take a code page.
#pragma once

#include "base/code_page.h"

namespace dremoxa7 {

inline CodePage japanese_code_page() {
  CodePage code_page;
  code_page.add_lead_range(0x81, 0x9F);
  code_page.add_lead_range(0xE0, 0xFC);
  return code_page;
}

}  // namespace dremoxa7
