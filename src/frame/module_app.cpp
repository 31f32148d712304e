#include "frame/module_app.h"

#include "frame/module_path.h"
#include "frame/state.h"

namespace dremoxa7 {

bool ModuleApp::init_instance() {
  ProcessState& state = process_state();
  state.module_file_name = current_module_file_name();
  state.module_directory = directory_of(state.module_file_name.view());
  return true;
}

ModuleApp& module_app() {
  static ModuleApp app;
  return app;
}

}  // namespace dremoxa7
