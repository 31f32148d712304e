// The version text of any version file, and whether it names the model
// that shows the fixed CPU text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "project/version_text.h"

using namespace dremoxa7;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte stands for the count the read reported.
  fuzz::InputReader input(data, size);
  const std::size_t bytes_read = input.take_byte();
  project::VersionBlock block{};
  input.take(block.data(), block.size());

  const std::string_view text = project::version_text_of(block, bytes_read);
  const std::size_t examined = bytes_read < block.size() ? bytes_read : block.size();
  std::string expected(reinterpret_cast<const char*>(block.data()), examined);
  expected = expected.substr(0, expected.find('\0'));
  if (text != expected) __builtin_trap();

  const bool named = project::names_fixed_cpu_model(text, "QX7LM-ZOR58T", "E0001");
  const bool both = expected.find("QX7LM-ZOR58T") != std::string::npos &&
                    expected.find("E0001") != std::string::npos;
  if (named != both) __builtin_trap();
  return 0;
}
