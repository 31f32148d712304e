// The work information block: the first 570 bytes of the suite's work
// information file, and the few fields of it that the library reads.
//
// The block is read into zero-filled storage of its full size; every field
// is read from it by a pure function with its width and signedness spelled
// out. All other bytes belong to whatever writes the file.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/file_bytes.h"

namespace dremoxa7 {

inline constexpr std::size_t kWorkBlockSize = 570;

using WorkBlock = Block<kWorkBlockSize>;

namespace work_field {
inline constexpr std::size_t kPSwitchText = 266;
inline constexpr std::size_t kPSwitchTextWidth = 257;  // offsets 266..522
inline constexpr std::size_t kCpuIndex = 523;
inline constexpr std::size_t kSSwitchValue = 527;
inline constexpr std::size_t kStartHold = 565;
}  // namespace work_field

// Byte 565: a starting tool must not start. Only the value 1 holds it.
bool start_hold(const WorkBlock& block);

// Byte 523 as a signed 8-bit number, -128..127: which CPU record of the
// positioning configuration file the ladder editor's CPU name comes from.
int cpu_index(const WorkBlock& block);

// Byte 527 as an unsigned 8-bit number, 0..255: the ladder editor's /S.
int s_switch_value(const WorkBlock& block);

// The ladder editor's /P: the bytes from offset 266 up to the first
// carriage return or zero byte, at most the field's 257 bytes. A text that
// fills the field has no terminator inside it; it ends with the field, never
// running on into the CPU index.
std::string_view p_switch_text(const WorkBlock& block);

}  // namespace dremoxa7
