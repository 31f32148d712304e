// What a result code means for the export that returned it.
#include "base/result_meaning.h"

#include <gtest/gtest.h>

#include <string>

namespace dremoxa7 {
namespace {

struct Meaning {
  const char* export_name;
  short result;
  const char* meaning;
};

TEST(ResultMeaning, SaysWhatTheCodeMeansForItsExport) {
  const Meaning cases[] = {
      {"StaBarCpuName", 0, "ok"},
      {"StaBarCpuName", -1, "CPU index out of range"},
      {"StaBarCpuName", -2, "configuration file not found"},
      {"StaBarCpuName", -3, "configuration file unreadable"},
      {"StaBarCpuName", 7, "not a result of this export"},
      {"SetActiveZorWin", -1, "foreground change refused"},
      {"SetActiveZorWin", -2, "no window given"},
      {"FindWinTitle", -2, "not a result of this export"},
      // No range check of its own: a 4 comes from the suite library.
      {"FindFuncWin", 4, "passed through from the suite library"},
      {"QFindFuncWin", -1, "passed through from the suite library"},
      {"FindZorWin", 4, "series or group out of range"},
      {"LastAppCheck", 4, "series out of range"},
      {"LastAppCheck", 20, "passed through from the suite library"},
      {"ZorFuncJump", 6, "no executable"},
      {"AZorFuncJump", 4, "passed through from the suite library"},
      {"ZorPacJump", 6, "no executable"},
      {"ZorPacJump", 4, "not a result of this export"},
      {"ZorLadderpJump", 4, "series out of range"},
      {"ZorLadderpJump", 6, "no executable"},
      {"ZorLadderpJump", -2, "passed through from the suite library"},
      {"OpenZorHelp", 4, "mode out of range"},
      {"ZorStartCheck", 4, "series or function out of range"},
      {"ZorStartCheck", 6, "executable 0 cannot be started by its name"},
      {"ZorStartCheck", 2, "passed through from the suite library"},
      {"AllExeEnd", 4, "series or function out of range"},
      {"UseAxis", -2, "system file not found"},
      {"UseAxisP", -3, "system file unreadable"},
      {"UseAxis", 9, "passed through from the CPU library"},
      {"QUseAxisP", -2, "system file not found"},
      {"QUseAxis", 9, "passed through from the CPU or code library"},
      // A name that is no export: what the code means for any export.
      {"NoSuchExport", 4, "argument out of range"},
      {"NoSuchExport", -1, "refused or index out of range"},
      {"", 0, "ok"},
      {"", 300, "passed through from a suite library"},
  };
  for (const Meaning& m : cases) {
    EXPECT_EQ(result_meaning(m.export_name, m.result), m.meaning)
        << m.export_name << " " << m.result;
  }
}

TEST(ResultMeaning, KnowsEveryExportByName) {
  // A misspelt name would fall back to the meaning for any export.
  for (const char* name : {
#define DREMOXA7_EXPORT(name, bytes, params) #name,
#include "exports.inc"
#undef DREMOXA7_EXPORT
       }) {
    EXPECT_NE(result_meaning(name, -1), "refused or index out of range") << name;
  }
}

}  // namespace
}  // namespace dremoxa7
