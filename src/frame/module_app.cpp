#include "frame/module_app.h"

#include "frame/module_path.h"
#include "frame/state.h"
#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7 {

bool ModuleApp::init_instance() {
  ModuleState state;
  state.code_page = platform::system_code_page();
  state.module_file_name = current_module_file_name();
  state.module_directory = directory_of(state.module_file_name.view(), state.code_page);
  // The caption of the library's message boxes names the library's own
  // file, even when it was loaded under another name than its own.
  char own_file[kModuleFileNameCapacity];
  const std::size_t n = platform::own_file_name(own_file, sizeof own_file);
  state.application_name = split_path({own_file, n}, state.code_page).base_name;
  fix_module_state(state);
  trace::fix_at_load();
  return true;
}

ModuleApp& module_app() {
  static ModuleApp app;
  return app;
}

}  // namespace dremoxa7
