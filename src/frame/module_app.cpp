#include "frame/module_app.h"

#include "frame/module_path.h"
#include "frame/state.h"

namespace dremoxa7 {

bool ModuleApp::init_instance() {
  ProcessState& state = process_state();
  state.module_file_name = current_module_file_name();
  const PathParts parts = split_path(state.module_file_name.view());
  state.module_directory = ModuleDirectory(parts.drive.view());
  state.module_directory.append(parts.directory.view());
  state.application_name = parts.base_name;
  return true;
}

ModuleApp& module_app() {
  static ModuleApp app;
  return app;
}

}  // namespace dremoxa7
