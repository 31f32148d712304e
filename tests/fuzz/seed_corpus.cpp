// Writes the fuzz targets' seed inputs: a few meaningful files of each
// kind, built byte by byte. Usage: seed_corpus <directory>; each target's
// seeds go to <directory>/<target>/.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"

namespace {

using namespace dremoxa7;

class Seed {
 public:
  explicit Seed(std::size_t size) : bytes_(size, 0) {}
  Seed& set(std::size_t offset, std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t v : values) at(offset++) = v;
    return *this;
  }
  Seed& text(std::size_t offset, std::string_view text) {
    for (char c : text) at(offset++) = static_cast<std::uint8_t>(c);
    return *this;
  }
  Seed& count(std::size_t offset, std::int16_t value) {
    const auto v = static_cast<std::uint16_t>(value);
    return set(offset, {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)});
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::uint8_t& at(std::size_t offset) {
    if (offset >= bytes_.size()) bytes_.resize(offset + 1, 0);
    return bytes_[offset];
  }
  std::vector<std::uint8_t> bytes_;
};

bool write(const std::filesystem::path& directory, const char* name, const Seed& seed) {
  std::filesystem::create_directories(directory);
  std::ofstream out(directory / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(seed.bytes().data()),
            static_cast<std::streamsize>(seed.bytes().size()));
  return static_cast<bool>(out);
}

// First-series input: counts at 0 and 2, file offset f at 4 + f, the
// extended list after the head.
constexpr std::size_t first(std::size_t file_offset) { return 4 + file_offset; }
constexpr std::size_t kExtended = 4 + project::kLargeLayout.block_size;
// Second-series input: count at 0, H flag at 2, file offset f at 3 + f.
constexpr std::size_t second(std::size_t file_offset) {
  return fuzz::kSecondSeriesHeaderSize + file_offset;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: seed_corpus <directory>\n", stderr);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  bool ok = true;

  const std::filesystem::path cpu = root / "cpu_record";
  ok &= write(cpu, "centred", Seed(14).text(0, "AB12          "));
  ok &= write(cpu, "leading_spaces", Seed(14).text(0, "  XY9 Z       "));
  ok &= write(cpu, "nul_first", Seed(14).text(1, "BCDEFGHIJKLMN"));
  ok &= write(cpu, "full_record", Seed(14).text(0, "ABCDEFGHIJKLMN"));
  ok &= write(cpu, "tab_in_name", Seed(14).text(0, "A\tB ").set(5, {0}));

  const std::filesystem::path version = root / "version_text";
  ok &= write(version, "both_codes", Seed(41).set(0, {40}).text(1, "QX7LM-ZOR58T E0001"));
  ok &=
      write(version, "nul_between", Seed(41).set(0, {40}).text(1, "E0001").text(7, "QX7LM-ZOR58T"));
  ok &= write(version, "short_read", Seed(41).set(0, {10}).text(1, "QX7LM-ZOR58T E0001"));
  ok &=
      write(version, "at_the_end", Seed(41).set(0, {40}).text(1, "E0001").text(29, "QX7LM-ZOR58T"));

  const std::filesystem::path first_series = root / "first_series";
  ok &= write(first_series, "small_example",
              Seed(fuzz::kFirstSeriesInputSize)
                  .count(0, 4)
                  .count(2, 0)
                  .set(first(8), {0x20, 0x01, 0x02, 0x05, 0x06, 0x00})
                  .set(first(106), {0x42, 0x11, 0x22, 0x33})
                  .set(first(154), {2, 3}));
  Seed large(fuzz::kFirstSeriesInputSize);
  large.count(0, 12).count(2, 4).set(first(project::kLayoutMarkerOffset), {17});
  for (std::uint8_t g = 0; g < 5; ++g) {
    large.set(first(8 + 66 * g), {0x21, std::uint8_t(g + 1), std::uint8_t(g + 6), 0x31, 0x32});
  }
  large.set(first(336), {0x4B, 0x11, 0x22, 0x33}).set(first(528), {1, 11, 0x81});
  large.set(kExtended, {6, 7, 12});
  ok &= write(first_series, "large_marker_17", large);
  ok &= write(first_series, "large_marker_16",
              Seed(fuzz::kFirstSeriesInputSize)
                  .count(0, 9)
                  .count(2, -1)
                  .set(first(project::kLayoutMarkerOffset), {16})
                  .set(first(8), {0x10, 9, 0, 0x44})
                  .set(first(336 + 6 * 31), {0xC9, 0x12, 0x13, 0x14})
                  .set(first(528), {9}));

  const std::filesystem::path second_series = root / "second_series";
  ok &= write(second_series, "plain",
              Seed(second(project::kSecondSeriesBlockSize))
                  .count(0, 9)
                  .set(2, {0})
                  .set(second(805), {1, 0x11, 0x22, 0x33})
                  .set(second(805 + 6 * 31), {9, 0x12, 0x23, 0x34})
                  .set(second(997), {1, 9}));
  Seed h(second(project::kSecondSeriesBlockSize));
  h.count(0, 17).set(2, {1});
  h.set(second(805), {1, 0x41, 0, 0, 1, 0}).set(second(805 + 6), {0x42, 0x52, 0, 0, 2, 0});
  h.set(second(805 + 6 * 20), {17, 0x60, 0, 0, 1, 0}).set(second(997), {2, 17});
  // Answers: three successful conversions.
  const std::size_t answers = second(project::kSecondSeriesBlockSize);
  ok &= write(second_series, "h_file", Seed(h).set(answers, {0, 0xA1, 0, 0xA2, 0, 0xA3}));
  ok &= write(second_series, "h_file_failing", Seed(h).set(answers, {0, 0xA1, 5, 0}));

  // Work information blocks: the P text at 266, CPU index at 523, S value
  // at 527, start hold at 565.
  const std::filesystem::path work = root / "work_block";
  ok &= write(work, "typical",
              Seed(570).text(266, "proj1\r\n").set(523, {3}).set(527, {200}).set(565, {1}));
  ok &= write(work, "empty_p", Seed(570).text(266, "\r").set(523, {0xFF}).set(565, {2}));
  ok &= write(work, "full_p", Seed(570).text(266, std::string(257, 'p')).set(523, {7}));
  ok &= write(work, "zero_before_cr", Seed(570).text(266, "AB").text(269, "CD\r"));
  ok &= write(work, "short_file", Seed(300).text(266, "cut"));

  return ok ? 0 : 1;
}
