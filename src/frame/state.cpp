#include "frame/state.h"

namespace dremoxa7 {

ProcessState& process_state() {
  static ProcessState state;
  return state;
}

}  // namespace dremoxa7
