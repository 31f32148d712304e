// The library's own directory: the drive and directory of its file name.
#pragma once

#include <string_view>

#include "base/code_page.h"
#include "base/text.h"

namespace dremoxa7 {

inline constexpr std::size_t kModuleFileNameCapacity = 260;
inline constexpr std::size_t kPathComponentCapacity = 256;
inline constexpr std::size_t kDriveCapacity = 3;

using ModuleFileName = Text<kModuleFileNameCapacity>;
using ModuleDirectory = Text<kDriveCapacity + kPathComponentCapacity>;

// A full file name split the way the platform's path splitter does it:
// drive ("C:"), directory (with its trailing separator), base name and
// extension (with its dot). Each part is cut to its component buffer.
// Separators and dots count only as whole characters: the second byte of
// a two-byte character may be a backslash (as in 表, 0x95 0x5C).
struct PathParts {
  Text<kDriveCapacity> drive;
  Text<kPathComponentCapacity> directory;
  Text<kPathComponentCapacity> base_name;
  Text<kPathComponentCapacity> extension;
};

PathParts split_path(std::string_view file_name, const CodePage& code_page);

// Drive followed by directory, ending in a separator unless empty.
ModuleDirectory directory_of(std::string_view file_name, const CodePage& code_page);

// The file name of the module named by the library's string 100, or of
// the process's executable when no module of that name is loaded.
ModuleFileName current_module_file_name();

}  // namespace dremoxa7
