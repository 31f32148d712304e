#include "project/status_bar_cpu_name.h"

#include <cstdint>

#include "base/text.h"
#include "frame/cpu_record.h"
#include "frame/module_path.h"
#include "frame/state.h"
#include "frame/strings.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "project/status_bar_text.h"
#include "project/version_text.h"

namespace dremoxa7::project {
namespace {

// Module directory and file name, with room to spare.
using ProjectPath = Text<kModuleFileNameCapacity + kPathComponentCapacity>;

ProjectPath path_in(const ModuleDirectory& directory, strings::Id file_name) {
  ProjectPath path(directory.view());
  path.append(strings::load(file_name).view());
  return path;
}

// The configuration file may be open elsewhere for reading and writing
// meanwhile; the record comes in one read.
Result read_cpu_record(const ProjectPath& path, int index, CpuRecord& record) {
  const trace::Quoted name = trace::quoted(path.view());
  if (!platform::path_exists(path.c_str())) {
    trace::line("configuration file", name, "missing");
    return kNotFound;
  }
  platform::File file(path.c_str(), platform::Sharing::read_write);
  if (!file) {
    trace::line("configuration file", name, "cannot be opened");
    return kUnreadable;
  }
  const long offset = cpu_record_offset(index);
  if (file.seek(offset) != offset) {
    trace::line("configuration file", name, "has no record", index, "at", offset);
    return kUnreadable;
  }
  if (const long got = file.read(record.data(), record.size());
      got != static_cast<long>(record.size())) {
    trace::line("configuration file", name, "record", index, "at", offset, "short:", got, "bytes");
    return kUnreadable;
  }
  trace::line("configuration file", name, "record", index, "read");
  return kOk;
}

// The message box of a configuration file failure, shown once the file is
// closed; the caption is the library's application name.
void report(Result failure) {
  const strings::StringText text = strings::load(
      failure == kNotFound ? strings::kSystemFileNotFound : strings::kSystemFileReadFailed);
  trace::line("message box", trace::quoted(text.view()));
  platform::show_message(text.c_str(), module_state().application_name.c_str());
}

// A version file that is missing, cannot be opened or cannot be read names
// no model.
bool version_names_fixed_cpu_model(const ModuleDirectory& directory, const CodePage& code_page) {
  const ProjectPath path = path_in(directory, strings::kVersionFile);
  const trace::Quoted name = trace::quoted(path.view());
  if (!platform::path_exists(path.c_str())) {
    trace::line("version file", name, "missing");
    return false;
  }
  VersionBlock block{};
  long bytes_read = 0;
  {
    platform::File file(path.c_str(), platform::Sharing::read_write);
    if (!file) {
      trace::line("version file", name, "cannot be opened");
      return false;
    }
    bytes_read = file.read(block.data(), block.size());
  }
  if (bytes_read < 0) {
    trace::line("version file", name, "unreadable");
    return false;
  }
  const bool fixed =
      names_fixed_cpu_model(version_text_of(block, static_cast<std::size_t>(bytes_read)),
                            strings::load(strings::kSoftwareModelCode).view(),
                            strings::load(strings::kVersionCode).view(), code_page);
  trace::line("version file", name, fixed ? "names the fixed CPU model" : "names no fixed model");
  return fixed;
}

}  // namespace

Result status_bar_cpu_name(int index, char* buffer) {
  const int cpu_index = static_cast<std::int8_t>(index & 0xFF);
  if (cpu_index < kFirstCpuIndex || cpu_index > kLastCpuIndex) return kRefused;

  // Looked up afresh on each call, not taken from start-up.
  const CodePage& code_page = module_state().code_page;
  const ModuleDirectory directory = directory_of(current_module_file_name().view(), code_page);

  CpuRecord record{};
  if (const Result result =
          read_cpu_record(path_in(directory, strings::kConfigurationFile), cpu_index, record);
      result != kOk) {
    report(result);
    return result;
  }

  const StatusBarText text = version_names_fixed_cpu_model(directory, code_page)
                                 ? StatusBarText(strings::load(strings::kFixedCpuText).view())
                                 : centred_cpu_text(strings::load(strings::kCpuLabel).view(),
                                                    cpu_name_of(record, code_page).view());
  trace::line("status bar text", trace::quoted(text.view()));
  if (buffer != nullptr) copy_text(buffer, text.size() + 1, text.view());
  return kOk;
}

}  // namespace dremoxa7::project
