// The libFuzzer side of a harness. "--write-seeds DIR" writes the harness's seeds into DIR (one
// file each) and exits, so that a fuzzing run starts from inputs the program itself makes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "fuzz_harness.h"

namespace {

int writeSeeds(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  int number = 0;
  for (const zvc::fuzz::Bytes& seed : zvc::fuzz::seeds()) {
    char name[32];
    std::snprintf(name, sizeof name, "seed-%03d", number++);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
    if (!out) return 1;
  }
  std::printf("%d seeds in %s\n", number, folder.c_str());
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  if (*argc == 3 && std::strcmp((*argv)[1], "--write-seeds") == 0) {
    std::exit(writeSeeds((*argv)[2]));
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zvc::fuzz::fuzzOne({data, size});
  return 0;
}
