// The version file's text and the model it names.
//
// Only the first 40 bytes of the version file are examined. When they name
// the one software model that shows the fixed CPU text, together with its
// version code, the status bar shows that text instead of the CPU name.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/code_page.h"
#include "base/file_bytes.h"

namespace dremoxa7::project {

inline constexpr std::size_t kVersionBytesExamined = 40;

using VersionBlock = Block<kVersionBytesExamined>;

// The bytes read (at most 40 of them, however many came back), cut at the
// first NUL among them.
std::string_view version_text_of(const VersionBlock& block, std::size_t bytes_read);

// Both codes stand in the text, each found on its own, in any order,
// byte for byte, each starting on a character of the code page.
bool names_fixed_cpu_model(std::string_view version_text, std::string_view model_code,
                           std::string_view version_code, const CodePage& code_page);

}  // namespace dremoxa7::project
