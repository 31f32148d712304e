// Process-wide state of the library, in one place.
//
// It is created when the library is loaded and lives until it is unloaded.
// Nothing guards it: the window, jump, start and close exports are called
// from the tool's user-interface thread, one at a time. The project queries
// use none of it.
#pragma once

#include "frame/module_path.h"

namespace dremoxa7 {

// Window titles are read into a scratch buffer of this size, at most
// kTitleReadCount bytes with the terminator, so a title is cut at 349
// characters.
inline constexpr std::size_t kTitleScratchSize = 352;
inline constexpr int kTitleReadCount = 350;

struct ProcessState {
  // Fixed at start-up and never changed afterwards.
  ModuleFileName module_file_name;
  ModuleDirectory module_directory;
  // The base name of the library's own file as loaded, without extension:
  // the caption of the library's message boxes.
  Text<kPathComponentCapacity> application_name;

  // Scratch for titles during a prefix search and a substring search.
  char prefix_title[kTitleScratchSize] = {};
  char substring_title[kTitleScratchSize] = {};
};

ProcessState& process_state();

}  // namespace dremoxa7
