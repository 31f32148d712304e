// The axis usage queries: which servo axes a controller project uses, and
// with which codes, from the CPU specification record and the project's
// system file.
//
// Each query asks the CPU library first, then reads the file under an
// exclusive open (so it fails while anyone else holds the file, and keeps
// others out during its reads), closes it, and only then interprets the
// bytes. The caller's 256-byte table is written once, on success; every
// failure leaves it untouched. No state survives a call.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::project {

// Where the system file lies: in the Temp subdirectory of the given
// directory (UseAxis, QUseAxis) or directly in it (the P variants).
enum class SystemFilePlace { temp_subdirectory, directory };

// directory ends in a path separator (null counts as empty text); the file
// name is appended directly. The CPU type and qualifier go to the CPU
// library unchanged. Results: kOk, kNotFound (no entry of that path),
// kUnreadable (the open fails, or the system fails a read or seek after
// it), or a code of the CPU or code library passed through. A null table
// only means the caller does not want it.
Result first_series_axis_usage(const char* directory, std::int16_t cpu_type, std::int32_t qualifier,
                               SystemFilePlace place, std::uint8_t* table);

// The second series: CPU types 15 and 16 read the H file and have their
// detail codes converted by the code library.
Result second_series_axis_usage(const char* directory, std::int16_t cpu_type,
                                std::int32_t qualifier, SystemFilePlace place, std::uint8_t* table);

}  // namespace dremoxa7::project
