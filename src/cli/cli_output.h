#pragma once

#include <cstdio>
#include <string_view>

namespace zvc::cli {

enum class OutputEncoding { kUtf8, kCp1251 };

// A stream of text lines in the encoding the caller asked for. The program's texts are UTF-8;
// Windows-1251 consumers get them converted, a character the code page lacks as "?".
class TextOutput {
 public:
  TextOutput(std::FILE* stream, OutputEncoding encoding) : stream_(stream), encoding_(encoding) {}

  void write(std::string_view utf8);
  void line(std::string_view utf8);

 private:
  std::FILE* stream_;
  OutputEncoding encoding_;
};

}  // namespace zvc::cli
