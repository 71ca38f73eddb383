#include "cli/cli_output.h"

#include <string>

#include "core/common/text_codec.h"

namespace zvc::cli {

void TextOutput::write(std::string_view utf8) {
  const std::string converted =
      encoding_ == OutputEncoding::kCp1251 ? utf8ToCp1251(utf8) : std::string(utf8);
  std::fwrite(converted.data(), 1, converted.size(), stream_);
}

void TextOutput::line(std::string_view utf8) {
  write(utf8);
  std::fputc('\n', stream_);
}

}  // namespace zvc::cli
