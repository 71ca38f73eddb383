// The replay side of a harness, built by every compiler: runs the harness's seeds and then every
// file of the folders or files named on the command line (saved findings) through it once.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_harness.h"

namespace {

void replayFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const zvc::fuzz::Bytes input{std::istreambuf_iterator<char>(in), {}};
  zvc::fuzz::fuzzOne(input);
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (const zvc::fuzz::Bytes& seed : zvc::fuzz::seeds()) {
    zvc::fuzz::fuzzOne(seed);
    ++count;
  }
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (!std::filesystem::exists(path)) continue;  // a harness without findings has no folder
    if (!std::filesystem::is_directory(path)) {
      replayFile(path);
      ++count;
      continue;
    }
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      replayFile(entry.path());
      ++count;
    }
  }
  std::printf("%d inputs ended cleanly\n", count);
  return 0;
}
