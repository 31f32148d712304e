// What a result code means for the export that returned it. The same code
// says different things for different exports (-1 is a refused foreground
// change for SetActiveZorWin but a CPU index out of range for
// StaBarCpuName), so a person reading a result needs the export's name with
// it. Used by the trace and by dx7ctl; depends on the standard library only.
#pragma once

#include <array>
#include <string_view>

namespace dremoxa7 {
namespace result_meaning_detail {

struct OwnCode {
  short code = 0;
  std::string_view meaning;  // empty: an unused slot
};

// An export's own non-zero codes, and what any other non-zero code is:
// passed through from the library it calls, or none of its results.
struct ExportCodes {
  std::string_view name;
  std::array<OwnCode, 3> own;
  std::string_view otherwise;
};

inline constexpr std::string_view kSuite = "passed through from the suite library";
inline constexpr std::string_view kCpuLibrary = "passed through from the CPU library";
inline constexpr std::string_view kCpuOrCodeLibrary = "passed through from the CPU or code library";
// An export that calls no other library cannot return it.
inline constexpr std::string_view kForeign = "not a result of this export";

inline constexpr OwnCode kNoExecutable{6, "no executable"};
inline constexpr OwnCode kSystemFileMissing{-2, "system file not found"};
inline constexpr OwnCode kSystemFileUnreadable{-3, "system file unreadable"};

inline constexpr ExportCodes kExports[] = {
    {"FindWinTitle", {}, kForeign},
    {"FindWinTitleP", {}, kForeign},
    {"FindFuncWin", {}, kSuite},
    {"QFindFuncWin", {}, kSuite},
    {"SetActiveZorWin", {{{-1, "foreground change refused"}, {-2, "no window given"}}}, kForeign},
    {"FindZorWin", {{{4, "series or group out of range"}}}, kSuite},
    {"LastAppCheck", {{{4, "series out of range"}}}, kSuite},
    {"ZorFuncJump", {{kNoExecutable}}, kSuite},
    {"QZorFuncJump", {{kNoExecutable}}, kSuite},
    {"AZorFuncJump", {{kNoExecutable}}, kSuite},
    {"ZorPacJump", {{kNoExecutable}}, kForeign},
    {"ZorLadderpJump", {{{4, "series out of range"}, kNoExecutable}}, kSuite},
    {"OpenZorHelp", {{{4, "mode out of range"}}}, kForeign},
    {"ZorStartCheck",
     {{{4, "series or function out of range"}, {6, "executable 0 cannot be started by its name"}}},
     kSuite},
    {"AllExeEnd", {{{4, "series or function out of range"}}}, kSuite},
    {"StaBarCpuName",
     {{{-1, "CPU index out of range"},
       {-2, "configuration file not found"},
       {-3, "configuration file unreadable"}}},
     kForeign},
    {"UseAxis", {{kSystemFileMissing, kSystemFileUnreadable}}, kCpuLibrary},
    {"UseAxisP", {{kSystemFileMissing, kSystemFileUnreadable}}, kCpuLibrary},
    {"QUseAxis", {{kSystemFileMissing, kSystemFileUnreadable}}, kCpuOrCodeLibrary},
    {"QUseAxisP", {{kSystemFileMissing, kSystemFileUnreadable}}, kCpuOrCodeLibrary},
};

// For a name that is no export: what the code means for any export.
constexpr std::string_view any_export_meaning(short result) {
  switch (result) {
    case 4:
      return "argument out of range";
    case 6:
      return "no executable";
    case -1:
      return "refused or index out of range";
    case -2:
      return "not found";
    case -3:
      return "unreadable";
    default:
      return "passed through from a suite library";
  }
}

}  // namespace result_meaning_detail

// A short text for result of export_name: "ok", "CPU index out of range",
// "passed through from the suite library" ... Never empty.
constexpr std::string_view result_meaning(std::string_view export_name, short result) {
  if (result == 0) return "ok";
  for (const auto& codes : result_meaning_detail::kExports) {
    if (codes.name != export_name) continue;
    for (const auto& own : codes.own) {
      if (!own.meaning.empty() && own.code == result) return own.meaning;
    }
    return codes.otherwise;
  }
  return result_meaning_detail::any_export_meaning(result);
}

}  // namespace dremoxa7
