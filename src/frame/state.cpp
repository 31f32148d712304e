#include "frame/state.h"

namespace dremoxa7 {
namespace {

ModuleState& state() {
  static ModuleState instance;
  return instance;
}

}  // namespace

const ModuleState& module_state() { return state(); }

void fix_module_state(const ModuleState& fixed) { state() = fixed; }

}  // namespace dremoxa7
