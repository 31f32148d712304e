// The library's message boxes.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {

void show_message(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace dremoxa7::platform
