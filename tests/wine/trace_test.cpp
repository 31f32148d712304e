// The trace as support switches it on: known_answers.exe (a tool program)
// started with DREMOXA7_TRACE in its environment, the file it leaves read
// back line by line.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "console_run.h"
#include "e2e_test.h"

namespace e2e {
namespace {

// What known_answers.exe answers, whatever the trace does.
constexpr char kKnownAnswers[] = "find 0 null start-check 4 0 cpu-name -1\n";

// "<ms> <pid> <tid> <export> <text>" and CR LF.
const std::regex kLineShape(R"((\d+) (\d+) (\d+) (\S+) ([^\r\n]*)\r\n)");

std::string temporary_directory() {
  char directory[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, directory);
  return std::string(directory, n < MAX_PATH ? n : 0);
}

// This program's environment variable, inherited by the programs it
// starts; removed again at the end of the scope. The library this program
// itself loaded read the variable long before.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
  }
  ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

struct TraceLine {
  std::string pid;
  std::string tid;
  std::string text;  // "<export> <text>"
};

// The file's lines; each must have the line's shape whole.
std::vector<TraceLine> trace_lines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  std::vector<TraceLine> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end + 2 - start);
    std::smatch m;
    if (!std::regex_match(line, m, kLineShape)) {
      ADD_FAILURE() << "not a whole line: \"" << line << '"';
      continue;
    }
    lines.push_back({m[2], m[3], m[4].str() + " " + m[5].str()});
  }
  EXPECT_EQ(start, bytes.size()) << "the file ends inside a line";
  return lines;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder (its path ends in a backslash).
std::set<std::string> listing(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

class Trace : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    DeleteFileA(file_.c_str());
  }
  void TearDown() override { DeleteFileA(file_.c_str()); }

  static ConsoleRun known_answers(const char* mode) {
    return run_console(program_directory() + "known_answers.exe", {mode});
  }

  const std::string file_ =
      temporary_directory() + "dremoxa7-trace-" + std::to_string(GetCurrentProcessId()) + ".txt";
};

// A search that finds nothing, a start check out of range and a CPU index
// out of range leave a line each of their arguments, what they found and
// their result.
TEST_F(Trace, KnownCallsLeaveTheirLinesInTheFile) {
  const ScopedVariable variable("DREMOXA7_TRACE", file_);
  const ConsoleRun run = known_answers("calls");
  ASSERT_EQ(run.error, "");
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.out, kKnownAnswers);

  const std::vector<TraceLine> lines = trace_lines(file_);
  std::vector<std::string> texts;
  for (const TraceLine& line : lines) texts.push_back(line.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "FindWinTitle call text \"No window has this title\"",
                       "FindWinTitle title prefix \"No window has this title\" found no window",
                       "FindWinTitle result 0 (ok)",
                       "ZorStartCheck call series 16 function 4",
                       "ZorStartCheck result 4 (series or function out of range) quit 0",
                       "StaBarCpuName call index 99",
                       "StaBarCpuName result -1 (CPU index out of range)",
                   }));
  for (const TraceLine& line : lines) EXPECT_EQ(line.tid, lines[0].tid);
}

// Without the variable no file appears, in the program's folder or the
// current one; with a file that cannot be opened the trace is off. Neither
// changes an answer.
TEST_F(Trace, NoVariableOrAnUnopenableFileLeavesAnswersAsTheyAre) {
  const std::string missing_folder = temporary_directory() + "dremoxa7-no-such-folder\\";
  const struct Case {
    const char* what;
    std::optional<std::string> value;
  } cases[] = {
      {"unset", std::nullopt},
      {"empty", ""},
      {"a file in a folder that does not exist", missing_folder + "trace.txt"},
      {"a folder", temporary_directory()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScopedVariable variable("DREMOXA7_TRACE", c.value);
    const std::set<std::string> program_before = listing(program_directory());
    const std::set<std::string> current_before = listing(".\\");
    const ConsoleRun run = known_answers("calls");
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(run.out, kKnownAnswers);
    EXPECT_EQ(listing(program_directory()), program_before);
    EXPECT_EQ(listing(".\\"), current_before);
    EXPECT_FALSE(exists(file_));
    EXPECT_FALSE(exists(missing_folder));
  }
}

// Two programs of four threads each append to one file at once: every
// line arrives whole and none is lost.
TEST_F(Trace, LinesOfFourThreadsInTwoProgramsAreWhole) {
  const ScopedVariable variable("DREMOXA7_TRACE", file_);
  ConsoleRun runs[2];
  {
    std::thread first([&] { runs[0] = known_answers("threads"); });
    runs[1] = known_answers("threads");
    first.join();
  }
  for (const ConsoleRun& run : runs) {
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(run.out, "rounds 400\n");
  }
  // Each round: the search's three lines and the CPU name's two.
  const std::vector<TraceLine> lines = trace_lines(file_);
  EXPECT_EQ(lines.size(), 2u * 400u * 5u);
  std::map<std::pair<std::string, std::string>, int> lines_by_thread;
  std::set<std::string> programs;
  for (const TraceLine& line : lines) {
    ++lines_by_thread[{line.pid, line.tid}];
    programs.insert(line.pid);
  }
  EXPECT_EQ(programs.size(), 2u);
  EXPECT_EQ(lines_by_thread.size(), 8u);
  for (const auto& [thread, count] : lines_by_thread) EXPECT_EQ(count, 500) << thread.first;
}

}  // namespace
}  // namespace e2e
