// The session-wide gate: a named mutex in the session's namespace.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {

GateId enter_gate(const char* name, unsigned timeout_ms, GateEntry& entry) {
  entry = GateEntry::timed_out;
  // "Local\" keeps the gate to this desktop session: programs of another
  // user's session decide about their own tools.
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  if (mutex == nullptr) return kNoGate;
  switch (WaitForSingleObject(mutex, timeout_ms)) {
    case WAIT_OBJECT_0:
      entry = GateEntry::taken;
      return reinterpret_cast<GateId>(mutex);
    case WAIT_ABANDONED:
      // Its holder ended while it held the gate; the gate is ours now.
      entry = GateEntry::abandoned;
      return reinterpret_cast<GateId>(mutex);
    default:
      CloseHandle(mutex);
      return kNoGate;
  }
}

void leave_gate(GateId gate) {
  const auto mutex = reinterpret_cast<HANDLE>(gate);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

}  // namespace dremoxa7::platform
