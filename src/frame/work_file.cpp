#include "frame/work_file.h"

#include <cstdint>

#include "frame/suite.h"
#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7 {

WorkFilePath work_file_path(const ModuleDirectory& directory) {
  WorkFilePath path(directory.view());
  path.append(kWorkFileName);
  return path;
}

bool work_file_present(const WorkFilePath& path) {
  const bool present = platform::path_exists(path.c_str());
  trace::line("work file", trace::quoted(path.view()), present ? "present" : "absent");
  return present;
}

void delete_work_file(const WorkFilePath& path) {
  const bool deleted = platform::delete_file(path.c_str());
  trace::line("work file", trace::quoted(path.view()), deleted ? "deleted" : "not deleted");
}

Result read_work_block(const WorkFilePath& path, WorkBlock& block) {
  block = WorkBlock{};
  const Result result =
      ZorFileRead2(path.c_str(), 0, static_cast<std::int32_t>(block.size()), block.data());
  if (result == kOk) {
    trace::line("work file", trace::quoted(path.view()), "read");
  } else {
    trace::line("work file", trace::quoted(path.view()), "ZorFileRead2 failed with", result);
  }
  return result;
}

}  // namespace dremoxa7
