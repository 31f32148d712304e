// Texts of the system code page, as the library, the window manager and
// the command line give them, made fit for JSON, which takes UTF-8 only.
#pragma once

#include <string>
#include <string_view>

namespace dx7ctl {

// text (system code page) in UTF-8. Bytes the code page does not define
// come out as the replacement character, never as an error.
std::string utf8_from_system(std::string_view text);

}  // namespace dx7ctl
