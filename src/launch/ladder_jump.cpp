#include "launch/ladder_jump.h"

#include <charconv>
#include <string_view>

#include "base/text.h"
#include "frame/cpu_record.h"
#include "frame/module_path.h"
#include "frame/state.h"
#include "frame/strings.h"
#include "frame/suite.h"
#include "frame/trace.h"
#include "frame/work_file.h"
#include "launch/activate_or_start.h"
#include "launch/command_line.h"
#include "launch/executable_path.h"
#include "platform/platform.h"
#include "windows/function_table.h"
#include "windows/title_search.h"

namespace dremoxa7::launch {
namespace {

// CPU index 7 names the record of index 1 for the editor.
constexpr int kAliasedCpuIndex = 7;
constexpr int kAliasCpuIndex = 1;

constexpr std::size_t kOSwitchCharacters = 4;
constexpr std::size_t kSValueDigits = 3;  // 0..255

// " /MO /T<cpu> /S<s> /O<o> /P<p>", each value as long as it can be.
constexpr std::size_t kLongestSwitchText =
    std::string_view(" /MO /T /S /O /P").size() + kCpuRecordSize + kSValueDigits +
    kOSwitchCharacters * kLongestCharacter + work_field::kPSwitchTextWidth;
using SwitchText = Text<kLongestSwitchText + 1>;
static_assert(ExecutablePath::capacity + 2 + kLongestSwitchText <= CommandLine::capacity,
              "the longest path in quotes and the longest switches fit a command line");

// The configuration file in the library's directory.
using ConfigurationPath = Text<ModuleDirectory::capacity + strings::StringText::capacity>;

// Computed with the signed index, whatever its range: what lies at the
// offset is the read's own answer.
std::int32_t record_offset(int cpu_index) {
  return static_cast<std::int32_t>(
      cpu_record_offset(cpu_index == kAliasedCpuIndex ? kAliasCpuIndex : cpu_index));
}

// At most four characters after the first capital G; empty without one.
// Both count characters of the code page: the second byte of a two-byte
// character is no G, and a character is taken whole or not at all.
std::string_view o_switch_value(std::string_view short_pac_name, const CodePage& code_page) {
  const std::size_t g = code_page.find(short_pac_name, 'G');
  if (g == std::string_view::npos) return {};
  return code_page.first_characters(short_pac_name.substr(g + 1), kOSwitchCharacters);
}

// Every value holds whole characters: a lone lead byte would take the
// blank after it for its second byte, and the next switch with it.
SwitchText switch_text(std::string_view cpu_name, int s_value, std::string_view o_value,
                       std::string_view p_text) {
  char digits[kSValueDigits];
  const std::to_chars_result converted = std::to_chars(digits, digits + sizeof digits, s_value);
  SwitchText text(" /MO /T");
  text.append(cpu_name);
  text.append(" /S");
  text.append({digits, converted.ptr});
  text.append(" /O");
  text.append(o_value);
  text.append(" /P");
  text.append(p_text);
  return text;
}

// The editor's window, found by the start of its title. A title longer
// than any window title can be read matches none.
platform::Window running_editor(std::string_view title_prefix, std::string_view short_pac_name) {
  windows::Title title;
  if (!title.append(title_prefix) || !title.append(" - ") || !title.append(short_pac_name)) {
    return nullptr;
  }
  return windows::find_by_prefix(title.c_str()).window;
}

}  // namespace

Result ladder_jump(std::int16_t series, const char* directory, const char* exe_name,
                   const char* title_prefix) {
  if (!windows::valid_series(series)) return kOutOfRange;
  const auto path = existing_executable(view_of(directory), view_of(exe_name));
  if (!path) return kNoExecutable;

  const ModuleDirectory& module_directory = module_state().module_directory;
  WorkBlock block;
  Result result = read_work_block(work_file_path(module_directory), block);
  if (result != kOk) return result;

  ConfigurationPath configuration(module_directory.view());
  configuration.append(strings::load(strings::kConfigurationFile).view());
  CpuRecord record{};
  result = ZorFileRead(configuration.c_str(), record_offset(cpu_index(block)),
                       static_cast<std::int32_t>(record.size()), record.data());
  if (result != kOk) {
    trace::line("configuration file", trace::quoted(configuration.view()), "record at",
                record_offset(cpu_index(block)), "ZorFileRead failed with", result);
    return result;
  }

  char short_pac_name[suite::kShortPacNameCapacity] = {};
  result = GetZorShortPacName(series, short_pac_name);
  if (result != kOk) {
    trace::line("GetZorShortPacName of series", series, "failed with", result);
    return result;
  }
  const std::string_view package = bounded_view(short_pac_name, sizeof short_pac_name);

  const CodePage& code_page = module_state().code_page;
  const SwitchText switches =
      switch_text(cpu_name_of(record, code_page).view(), s_switch_value(block),
                  o_switch_value(package, code_page), code_page.whole(p_switch_text(block)));
  activate_or_start(running_editor(view_of(title_prefix), package), *path, switches.view(), {});
  return kOk;
}

}  // namespace dremoxa7::launch
