// The version text of any version file, and whether it names the model
// that shows the fixed CPU text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "code_page_choice.h"
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

  // The byte after the block picks the code page; a code counts only where
  // it starts on a character.
  const std::uint8_t choice = input.take_byte();
  const bool named =
      project::names_fixed_cpu_model(text, "QX7LM-ZOR58T", "E0001", fuzz::code_page_for(choice));
  bool model = false;
  bool version = false;
  fuzz::walk_characters(expected, choice & 1, [&](std::size_t at, std::size_t) {
    model = model || expected.compare(at, 12, "QX7LM-ZOR58T") == 0;
    version = version || expected.compare(at, 5, "E0001") == 0;
  });
  if (named != (model && version)) __builtin_trap();
  return 0;
}
