#include "frame/work_file.h"

#include <cstdint>

#include "frame/suite.h"
#include "platform/platform.h"

namespace dremoxa7 {

WorkFilePath work_file_path(const ModuleDirectory& directory) {
  WorkFilePath path(directory.view());
  path.append(kWorkFileName);
  return path;
}

bool work_file_present(const WorkFilePath& path) { return platform::path_exists(path.c_str()); }

void delete_work_file(const WorkFilePath& path) { platform::delete_file(path.c_str()); }

Result read_work_block(const WorkFilePath& path, WorkBlock& block) {
  block = WorkBlock{};
  return ZorFileRead2(path.c_str(), 0, static_cast<std::int32_t>(block.size()), block.data());
}

}  // namespace dremoxa7
