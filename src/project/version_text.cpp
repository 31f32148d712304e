#include "project/version_text.h"

#include "base/text.h"

namespace dremoxa7::project {

std::string_view version_text_of(const VersionBlock& block, std::size_t bytes_read) {
  const std::size_t examined = bytes_read < block.size() ? bytes_read : block.size();
  return bounded_view(reinterpret_cast<const char*>(block.data()), examined);
}

bool names_fixed_cpu_model(std::string_view version_text, std::string_view model_code,
                           std::string_view version_code, const CodePage& code_page) {
  return code_page.find(version_text, model_code) != std::string_view::npos &&
         code_page.find(version_text, version_code) != std::string_view::npos;
}

}  // namespace dremoxa7::project
