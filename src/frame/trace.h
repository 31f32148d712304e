// The diagnostic trace: what a call saw and decided, for finding out why it
// answered as it did.
//
// It is fixed while the library loads, from the environment variable
// DREMOXA7_TRACE, and only read afterwards: unset or empty, no trace;
// "debug" (in any case), lines go to the debug output; anything else names
// a file that lines are appended to, shared with other processes. A file
// that cannot be opened leaves the trace off.
//
// Every line reads "<ms> <pid> <tid> <export> <text>" and ends in CR LF. An
// export's lines come in the order of its work: "call" and its arguments,
// each decision as it is made, then "result", the code, its meaning for
// that export and the outputs. A line is composed in the call that writes
// it, in a bounded text of its own, and handed to the sink in one write, so
// lines of threads and processes writing at once never mix.
//
// While the trace is off, a call and each of its decision points cost one
// test of a flag fixed at load. Tracing changes no result.
//
//   trace::line("work file", trace::quoted(path.c_str()), present ? "present" : "absent");
//   if (trace::on()) {  // a line built in steps
//     trace::Line line;
//     line.add("group", group, "running", count);
//     for (...) line.add(function, trace::handle(window));
//     line.write();
//   }
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "base/result.h"
#include "base/text.h"

namespace dremoxa7::trace {

inline constexpr const char* kVariable = "DREMOXA7_TRACE";

// A whole line, CR LF included; a longer one is cut and ends in " ...".
inline constexpr std::size_t kLineBytes = 1024;

// A quoted text shows at most this many of its bytes.
inline constexpr std::size_t kQuotedBytes = 64;

enum class Sink : std::uint8_t { off, debug_output, file };

namespace detail {
extern Sink sink;
}  // namespace detail

// The one test a call makes while the trace is off.
inline bool on() noexcept { return detail::sink != Sink::off; }

// Start-up only: reads the variable and opens the file it names, closing
// the file of an earlier start-up.
void fix_at_load();

// A text in double quotes: its first kQuotedBytes bytes, each byte below
// 0x20 and 0x7F as \xNN so that the line stays one line, then "..." and
// the whole length when it was cut. A null text shows as null.
struct Quoted {
  const char* data;
  std::size_t size;  // kZeroTerminated: up to the text's terminator
  std::size_t limit = kQuotedBytes;
  static constexpr std::size_t kZeroTerminated = static_cast<std::size_t>(-1);
};
inline Quoted quoted(const char* text) { return {text, Quoted::kZeroTerminated}; }
inline Quoted quoted(std::string_view text) { return {text.data(), text.size()}; }
// The same, whole as far as the line has room: a command line as started.
inline Quoted quoted_whole(std::string_view text) { return {text.data(), text.size(), kLineBytes}; }

// A window or other handle, in hexadecimal.
struct Handle {
  const void* value;
};
inline Handle handle(const void* value) { return {value}; }

// A remark in parentheses, e.g. a code's meaning.
struct Note {
  std::string_view text;
};
inline Note note(std::string_view text) { return {text}; }

// One line of the calling thread's export: it starts with the time, the
// process and thread ids and the export's name (or "-" outside an export),
// takes parts separated by blanks, and goes to the sink in one write. Build
// one only while on().
class Line {
 public:
  Line();
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  template <class... Parts>
  Line& add(const Parts&... parts) {
    (put(parts), ...);
    return *this;
  }

  // Ends the line with CR LF and hands it to the sink.
  void write();

 private:
  void put(std::string_view text);
  void put(const char* text) { put(std::string_view(text)); }
  void put(Quoted text);
  void put(Handle value);
  void put(Note remark);
  void put_number(long long value);
  void put_number(unsigned long long value);
  template <std::integral T>
  void put(T value) {
    if constexpr (std::is_signed_v<T>) {
      put_number(static_cast<long long>(value));
    } else {
      put_number(static_cast<unsigned long long>(value));
    }
  }

  // Appends what fits before the room kept for the cut mark and CR LF.
  void append(std::string_view bytes);

  Text<kLineBytes + 1> text_;
  bool cut_ = false;
};

// Writes one line of the parts when the trace is on.
template <class... Parts>
void line(const Parts&... parts) {
  if (on()) [[unlikely]] {
    Line().add(parts...).write();
  }
}

// An export's call, from its shim: names the export on the lines of its
// thread while it runs, writes its arguments first and its result last.
//
//   const trace::Call call("StaBarCpuName", "index", index);
//   ...
//   return call.result(code);          // "result -1 (CPU index out of range)"
//   return call.result(code, "quit", quit);
class Call {
 public:
  template <class... Arguments>
  explicit Call(const char* export_name, const Arguments&... arguments) : active_(on()) {
    if (active_) [[unlikely]] {
      enter(export_name);
      Line().add("call", arguments...).write();
    }
  }
  ~Call() {
    if (active_) [[unlikely]] {
      leave();
    }
  }
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;

  // Passes code through, tracing it with its meaning for the export and
  // the outputs given (name and value pairs).
  template <class... Outputs>
  Result result(Result code, const Outputs&... outputs) const {
    if (active_) [[unlikely]] {
      Line().add("result", code, meaning(code), outputs...).write();
    }
    return code;
  }

 private:
  void enter(const char* export_name);
  void leave();
  Note meaning(Result code) const;

  bool active_;
  const char* export_name_ = nullptr;
  const char* outer_ = nullptr;
};

}  // namespace dremoxa7::trace
