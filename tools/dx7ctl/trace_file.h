// dx7ctl --trace: the library's trace of dx7ctl's own call. The library
// reads DREMOXA7_TRACE once, while it loads, and appends its lines to the
// file it names; dx7ctl points it at a fresh temporary file before it
// loads the DLL, and shows and removes the file afterwards.
#pragma once

#include <string>

namespace dx7ctl {

class TraceFile {
 public:
  // Creates the file and names it in this process's DREMOXA7_TRACE; error()
  // says why when it could not.
  TraceFile();
  // Removes the file.
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  const std::string& error() const { return error_; }
  // The lines written so far, each ending in a plain line end. Read it once
  // the DLL has been unloaded, so that it has let go of the file.
  std::string lines() const;

 private:
  std::string path_;
  std::string error_;
};

}  // namespace dx7ctl
