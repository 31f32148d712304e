#include "project/axis_usage.h"

#include <cstring>
#include <string_view>

#include "base/file_bytes.h"
#include "base/text.h"
#include "frame/strings.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "project/axis_table.h"
#include "project/first_series_file.h"
#include "project/second_series_file.h"

namespace dremoxa7::project {
namespace {

// The H files' names are the library's own constants, not resource strings.
constexpr std::string_view kTempHFile = "Temp\\axsystemH.bin";
constexpr std::string_view kHFile = "axsystemH.bin";

// The two fields of the CPU specification record the queries use.
using CpuSpecRecord = Block<suite::kCpuSpecRecordSize>;
constexpr std::size_t kAxisCountOffset = 0;
constexpr std::size_t kExtraSlotGroupsOffset = 20;

// The first argument of every conversion call.
constexpr std::int16_t kConversionKind = 3;
using CodeInfoRecord = Block<suite::kCodeInfoRecordSize>;
constexpr std::size_t kDetailCodeOffset = 0;

// Room for any directory the platform's file calls accept, and more.
using SystemPath = Text<1024>;

struct SystemFile {
  SystemPath path;
  bool whole = false;  // false when the path did not fit
};

SystemFile system_file(const char* directory, std::string_view name) {
  SystemFile file;
  file.whole = file.path.append(view_of(directory)) && file.path.append(name);
  return file;
}

strings::StringText system_file_name(SystemFilePlace place) {
  return strings::load(place == SystemFilePlace::temp_subdirectory ? strings::kTempSystemFile
                                                                   : strings::kSystemFile);
}

strings::StringText h_file_name(SystemFilePlace place) {
  return strings::StringText(place == SystemFilePlace::temp_subdirectory ? kTempHFile : kHFile);
}

// The record is cleared first, so that nothing the CPU library leaves
// unwritten can reach a result.
Result query_cpu_spec(std::int16_t cpu_type, std::int32_t qualifier, CpuSpecRecord& record) {
  record.fill(0);
  const Result result = CDbCpuSpec(cpu_type, qualifier, record.data());
  if (result != kOk) {
    trace::line("CDbCpuSpec cpu", cpu_type, "qualifier", qualifier, "failed with", result);
  }
  return result;
}

// Looks the file up, opens it exclusively and hands it to read (which
// answers false when the system fails it). The file is closed on return.
// A path too long for the library's buffer names no file it can reach.
template <class Read>
Result read_system_file(const SystemFile& file, Read&& read) {
  const trace::Quoted name = trace::quoted(file.path.view());
  if (!file.whole) {
    trace::line("system file path too long:", name);
    return kNotFound;
  }
  if (!platform::path_exists(file.path.c_str())) {
    trace::line("system file", name, "missing");
    return kNotFound;
  }
  platform::File open(file.path.c_str(), platform::Sharing::none);
  if (!open) {
    trace::line("system file", name, "cannot be opened");
    return kUnreadable;
  }
  const bool whole = read(open);
  trace::line("system file", name, whole ? "read" : "unreadable");
  return whole ? kOk : kUnreadable;
}

// The byte count of a read is not examined: a short file leaves the rest of
// the zero-filled block at zero. Only a failure of the system counts.
bool read_into(platform::File& file, std::uint8_t* block, std::size_t size) {
  return file.read(block, size) >= 0;
}

void hand_over(const AxisTable& table, std::uint8_t* out) {
  if (out != nullptr) std::memcpy(out, table.bytes().data(), kAxisTableSize);
}

Result convert_with_code_library(std::uint8_t type_code, std::uint8_t& detail_code) {
  std::int32_t converted = 0;
  if (const Result result = QHA_CodeToMCode(kConversionKind, type_code, &converted);
      result != kOk) {
    trace::line("QHA_CodeToMCode type code", type_code, "failed with", result);
    return result;
  }
  CodeInfoRecord info{};
  if (const Result result = M_Codeinf(converted, info.data()); result != kOk) {
    trace::line("M_Codeinf code", converted, "failed with", result);
    return result;
  }
  detail_code = info[kDetailCodeOffset];
  return kOk;
}

}  // namespace

Result first_series_axis_usage(const char* directory, std::int16_t cpu_type, std::int32_t qualifier,
                               SystemFilePlace place, std::uint8_t* table) {
  const SystemFile file = system_file(directory, system_file_name(place).view());
  CpuSpecRecord record;
  if (const Result result = query_cpu_spec(cpu_type, qualifier, record); result != kOk) {
    return result;
  }
  const int axis_count = low_half_signed(record, kAxisCountOffset);
  const int extra_slot_groups = low_half_signed(record, kExtraSlotGroupsOffset);

  FirstSeriesBytes bytes;
  const Result read = read_system_file(file, [&](platform::File& open) {
    if (!read_into(open, bytes.head.data(), first_series_layout(axis_count).block_size)) {
      return false;
    }
    if (!has_extended_list(bytes, axis_count)) return true;
    return open.seek(kExtendedListOffset) == kExtendedListOffset &&
           read_into(open, bytes.extended_list.data(), bytes.extended_list.size());
  });
  if (read != kOk) return read;

  hand_over(interpret_first_series(bytes, axis_count, extra_slot_groups), table);
  return kOk;
}

Result second_series_axis_usage(const char* directory, std::int16_t cpu_type,
                                std::int32_t qualifier, SystemFilePlace place,
                                std::uint8_t* table) {
  const bool h_file = reads_h_file(cpu_type);
  const SystemFile file =
      system_file(directory, (h_file ? h_file_name(place) : system_file_name(place)).view());
  CpuSpecRecord record;
  if (const Result result = query_cpu_spec(cpu_type, qualifier, record); result != kOk) {
    return result;
  }
  const int axis_count = low_half_signed(record, kAxisCountOffset);

  SecondSeriesBlock block{};
  const Result read = read_system_file(
      file, [&](platform::File& open) { return read_into(open, block.data(), block.size()); });
  if (read != kOk) return read;

  // The file is closed: the code library calls come now.
  AxisTable built;
  auto convert = [](std::uint8_t type_code, std::uint8_t& detail_code) {
    return convert_with_code_library(type_code, detail_code);
  };
  if (const Result result = interpret_second_series(block, axis_count, h_file, convert, built);
      result != kOk) {
    return result;
  }
  hand_over(built, table);
  return kOk;
}

}  // namespace dremoxa7::project
