#include "frame/strings.h"

#include "platform/platform.h"

namespace dremoxa7::strings {

StringText load(Id id) {
  char buffer[StringText::capacity];
  const std::size_t n = platform::load_string(id, buffer, sizeof buffer);
  return StringText({buffer, n});
}

}  // namespace dremoxa7::strings
