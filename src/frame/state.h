// What start-up fixes about the loaded library, in one place.
//
// It is written once, while the library loads (before any export can run),
// and only read afterwards, so every thread may read it without a lock.
// Nothing else of the library lives beyond a call: scratch buffers, file
// blocks, paths and flags all belong to the call that uses them.
#pragma once

#include "base/code_page.h"
#include "frame/module_path.h"

namespace dremoxa7 {

struct ModuleState {
  // The system code page of every text the library handles.
  CodePage code_page;
  ModuleFileName module_file_name;
  ModuleDirectory module_directory;
  // The base name of the library's own file as loaded, without extension:
  // the caption of the library's message boxes.
  Text<kPathComponentCapacity> application_name;
};

const ModuleState& module_state();

// Start-up only.
void fix_module_state(const ModuleState& state);

}  // namespace dremoxa7
