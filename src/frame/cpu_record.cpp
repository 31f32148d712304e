#include "frame/cpu_record.h"

namespace dremoxa7 {

CpuName cpu_name_of(const CpuRecord& record, const CodePage& code_page) {
  // Neither a space nor a NUL byte is ever the second byte of a character,
  // so the bytes are scanned as they are.
  std::size_t begin = 0;
  while (begin < record.size() && record[begin] == ' ') ++begin;
  std::size_t end = begin;
  while (end < record.size() && record[end] != ' ' && record[end] != '\0') ++end;
  const auto* chars = reinterpret_cast<const char*>(record.data());
  return CpuName(code_page.whole({chars + begin, end - begin}));
}

}  // namespace dremoxa7
