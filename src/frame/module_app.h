// The library's application object: start-up runs through it when the
// library is loaded (DllMain on Windows, the test set-up on the host).
#pragma once

namespace dremoxa7 {

class ModuleApp {
 public:
  // Fixes the module file name and directory, and the trace. Never fails
  // on its own (a trace file that cannot be opened leaves the trace off);
  // returns the verdict of the default initialisation (always true).
  bool init_instance();
};

ModuleApp& module_app();

}  // namespace dremoxa7
