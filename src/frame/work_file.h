// The suite's work information file, "zorwork.inf" in the library's own
// directory: its path, its presence, its deletion and the read of its
// first 570 bytes through the suite information library. The library never
// writes it. Every call that uses it builds the path afresh.
#pragma once

#include <string_view>

#include "base/result.h"
#include "base/text.h"
#include "frame/module_path.h"
#include "frame/work_block.h"

namespace dremoxa7 {

inline constexpr std::string_view kWorkFileName = "zorwork.inf";

// The module directory and the file name always fit.
using WorkFilePath = Text<ModuleDirectory::capacity + kWorkFileName.size()>;

WorkFilePath work_file_path(const ModuleDirectory& directory);

// Any directory entry of that exact name counts, a directory too; the file
// is not opened.
bool work_file_present(const WorkFilePath& path);

// The outcome is not reported: a file that cannot be deleted stays.
void delete_work_file(const WorkFilePath& path);

// ZorFileRead2(path, 0, 570, block) into a block zero-filled first. Any
// code but 0 is the suite library's, and the block then means nothing.
Result read_work_block(const WorkFilePath& path, WorkBlock& block);

}  // namespace dremoxa7
