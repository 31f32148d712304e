// Bounded polling: other processes' windows change state on their own time.
#pragma once

#include <windows.h>

namespace e2e {

// What a test waits for comes within moments on an idle machine. The bound
// is for a busy one (the other Wine tree and the host tests running beside
// this one, a Wine process taking seconds to start) and costs time only
// when what is awaited never comes.
inline constexpr DWORD kDefaultWaitMs = 60000;

// Calls done() every few milliseconds until it is true or timeout_ms have
// passed. Returns its last answer.
template <class Done>
bool wait_until(Done done, DWORD timeout_ms = kDefaultWaitMs) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() >= deadline) return done();
    Sleep(20);
  }
  return true;
}

}  // namespace e2e
