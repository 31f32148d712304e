// A manual-reset event with a name, for the fixture tools a test starts to
// wait on (--at-event, --stop-answering-until): the test sets it once it has
// seen what it waits for, instead of hoping a fixed time was enough.
#pragma once

#include <windows.h>

#include <string>

#include "base/win32_owners.h"

namespace e2e {

class NamedEvent {
 public:
  // The name holds what the event is for, this program's id and a running
  // number, so that no other test's event has it.
  explicit NamedEvent(const std::string& purpose)
      : name_("dremoxa7-" + purpose + "-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++sequence_)),
        event_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())) {
    if (!event_) error_ = "CreateEventA failed, error " + std::to_string(GetLastError());
  }

  // "" once the event exists, else why not.
  const std::string& error() const { return error_; }
  const std::string& name() const { return name_; }
  bool set() const { return SetEvent(event_.get()) != FALSE; }

 private:
  static inline int sequence_ = 0;
  std::string name_;
  dremoxa7::UniqueHandle event_;
  std::string error_;
};

}  // namespace e2e
