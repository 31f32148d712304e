#include "system_text.h"

#include <windows.h>

#include <climits>

namespace dx7ctl {

std::string utf8_from_system(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  // One UTF-16 unit per byte at most, for every single- or double-byte code page.
  std::wstring wide(text.size(), L'\0');
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size);
  if (units <= 0) return {};
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace dx7ctl
