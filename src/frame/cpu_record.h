// The CPU records of the positioning configuration file, read by the
// status-bar CPU name and by the ladder editor jump: both take the same CPU
// name from a record.
//
// The file starts with a configuration header that the library does not
// interpret, followed by one 14-byte CPU record for each CPU index 0..17.
// The library reads nothing of a record but the CPU name at its start.
#pragma once

#include <cstddef>

#include "base/code_page.h"
#include "base/file_bytes.h"
#include "base/text.h"

namespace dremoxa7 {

inline constexpr int kFirstCpuIndex = 0;
inline constexpr int kLastCpuIndex = 17;
inline constexpr long kConfigurationHeaderSize = 22;
inline constexpr std::size_t kCpuRecordSize = 14;

using CpuRecord = Block<kCpuRecordSize>;

// Where the record of a CPU index starts, from the start of the file.
inline constexpr long cpu_record_offset(int index) {
  return kConfigurationHeaderSize + static_cast<long>(kCpuRecordSize) * index;
}

// 0 to 14 characters.
using CpuName = Text<kCpuRecordSize + 1>;

// The record's first token: leading spaces are skipped, and the name runs
// to the next space, the next NUL byte or the end of the record. Only the
// space separates; a tab, for one, belongs to the name. The name holds
// whole characters of the code page: a lead byte that ends the record (its
// second byte lies past it) or stands before the space is left out.
CpuName cpu_name_of(const CpuRecord& record, const CodePage& code_page);

}  // namespace dremoxa7
