#include "frame/trace.h"

#include <charconv>
#include <cstring>

#include "base/result_meaning.h"
#include "base/unique_resource.h"
#include "frame/state.h"
#include "platform/platform.h"

namespace dremoxa7::trace {

namespace detail {
constinit Sink sink = Sink::off;
}  // namespace detail

namespace {

constexpr std::string_view kDebugOutput = "debug";
constexpr std::string_view kCutMark = " ...";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kBodyBytes = kLineBytes - kCutMark.size() - kLineEnd.size();

// Room for any path the file calls accept; a longer value names no file
// the trace can open.
constexpr std::size_t kPathCapacity = 1024;

struct AppendFilePolicy {
  using Handle = platform::FileId;
  static constexpr Handle none() noexcept { return platform::kNoFile; }
  static void close(Handle file) noexcept { platform::close_file(file); }
};
using TraceFile = UniqueResource<AppendFilePolicy>;

// Open from start-up until the library is unloaded.
TraceFile& trace_file() {
  static TraceFile file;
  return file;
}

// The export whose call runs on this thread; null outside any.
thread_local const char* current_export = nullptr;

bool names_debug_output(std::string_view value) {
  if (value.size() != kDebugOutput.size()) return false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kDebugOutput[i]) {
      return false;
    }
  }
  return true;
}

// Any 64-bit number, sign included.
using Digits = Text<24>;

template <class Number>
Digits digits_of(Number value, int base) {
  char digits[Digits::capacity];
  const auto converted = std::to_chars(digits, digits + sizeof digits, value, base);
  return Digits({digits, static_cast<std::size_t>(converted.ptr - digits)});
}

template <class Number>
Digits decimal(Number value) {
  return digits_of(value, 10);
}

}  // namespace

void fix_at_load() {
  detail::sink = Sink::off;
  trace_file().reset();
  char value[kPathCapacity];
  const std::size_t n = platform::environment_variable(kVariable, value, sizeof value);
  if (n == 0 || n >= sizeof value) return;
  if (names_debug_output({value, n})) {
    detail::sink = Sink::debug_output;
    return;
  }
  trace_file().reset(platform::open_shared_append(value));
  if (trace_file()) detail::sink = Sink::file;
}

Line::Line() {
  put_number(static_cast<unsigned long long>(platform::tick_ms()));
  put_number(static_cast<unsigned long long>(platform::process_id()));
  put_number(static_cast<unsigned long long>(platform::thread_id()));
  put(current_export != nullptr ? current_export : "-");
}

void Line::write() {
  if (cut_) text_.append(kCutMark);
  text_.append(kLineEnd);
  switch (detail::sink) {
    case Sink::debug_output:
      platform::debug_output(text_.c_str());
      break;
    case Sink::file:
      platform::append_to_file(trace_file().get(), text_.view());
      break;
    case Sink::off:
      break;
  }
}

void Line::append(std::string_view bytes) {
  const std::size_t room = kBodyBytes - text_.size();
  if (bytes.size() > room) {
    cut_ = true;
    // A cut inside a character would leave a lead byte to swallow what
    // follows it: the cut mark or the line's end.
    bytes = module_state().code_page.cut(bytes, room);
  }
  text_.append(bytes);
}

void Line::put(std::string_view text) {
  if (!text_.empty()) append(" ");
  append(text);
}

void Line::put(Quoted text) {
  if (text.data == nullptr) {
    put("null");
    return;
  }
  const std::size_t size =
      text.size == Quoted::kZeroTerminated ? std::strlen(text.data) : text.size;
  const std::string_view shown = module_state().code_page.cut({text.data, size}, text.limit);
  put("\"");
  // Runs of plain bytes go whole, so that the line's own cut falls between
  // characters; a control byte is never part of a character.
  std::size_t run = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto byte = static_cast<unsigned char>(shown[i]);
    if (byte >= 0x20 && byte != 0x7F) continue;
    append(shown.substr(run, i - run));
    // Each byte that would break the line takes four: \xNN.
    constexpr std::string_view kHex = "0123456789ABCDEF";
    const char escaped[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    append({escaped, sizeof escaped});
    run = i + 1;
  }
  append(shown.substr(run));
  append("\"");
  if (shown.size() < size) {
    // "..." (200 bytes): the text was cut, and how long it was.
    append("...");
    put("(");
    append(decimal(size).view());
    append(" bytes)");
  }
}

void Line::put(Handle value) {
  put("0x");
  append(digits_of(reinterpret_cast<std::uintptr_t>(value.value), 16).view());
}

void Line::put(Note remark) {
  put("(");
  append(remark.text);
  append(")");
}

void Line::put_number(long long value) { put(decimal(value).view()); }

void Line::put_number(unsigned long long value) { put(decimal(value).view()); }

void Call::enter(const char* export_name) {
  export_name_ = export_name;
  outer_ = current_export;
  current_export = export_name;
}

void Call::leave() { current_export = outer_; }

Note Call::meaning(Result code) const { return note(result_meaning(export_name_, code)); }

}  // namespace dremoxa7::trace
