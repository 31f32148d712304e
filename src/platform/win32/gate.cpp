// The session-wide gate: a named mutex in the session's namespace.
#include <windows.h>

#include "base/win32_owners.h"
#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

// Waits for the mutex while still answering what other threads send to the
// caller's windows: the holder may send to one of them (emptying the
// clipboard asks its owner first), and would otherwise wait for the caller
// while the caller waits for it.
DWORD wait_answering_sent(HANDLE mutex, unsigned timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
    const DWORD woke = MsgWaitForMultipleObjectsEx(1, &mutex, left, QS_SENDMESSAGE, 0);
    if (woke != WAIT_OBJECT_0 + 1) return woke;
    // Runs the window procedures of what was sent; posted messages stay
    // queued for the caller's own loop.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

GateId enter_gate(const char* name, unsigned timeout_ms, GateEntry& entry) {
  entry = GateEntry::timed_out;
  // "Local\" keeps the gate to this desktop session: programs of another
  // user's session decide about their own tools.
  UniqueHandle mutex(CreateMutexA(nullptr, FALSE, name));
  if (!mutex) return kNoGate;
  switch (wait_answering_sent(mutex.get(), timeout_ms)) {
    case WAIT_OBJECT_0:
      entry = GateEntry::taken;
      break;
    case WAIT_ABANDONED:
      // Its holder ended while it held the gate; the gate is ours now.
      entry = GateEntry::abandoned;
      break;
    default:
      return kNoGate;
  }
  // SessionGate owns it from here, and lets it go with leave_gate.
  return reinterpret_cast<GateId>(mutex.release());
}

void leave_gate(GateId gate) {
  const UniqueHandle mutex(reinterpret_cast<HANDLE>(gate));
  ReleaseMutex(mutex.get());
}

}  // namespace dremoxa7::platform
