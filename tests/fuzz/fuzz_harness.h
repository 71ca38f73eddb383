#pragma once

// What every fuzz harness provides. One harness file per reader of outside bytes; the same file
// builds into a libFuzzer program (clang, ZVC_FUZZ=ON) and into a replay program that the test
// suite runs over the harness's seeds and saved findings.

#include <cstdint>
#include <span>
#include <vector>

namespace zvc::fuzz {

using Bytes = std::vector<std::uint8_t>;

// Runs one input through the reader. Any bytes at all must end cleanly: no crash, no hang, no
// leak, nothing read or written outside what the reader was given.
void fuzzOne(std::span<const std::uint8_t> input);

// Inputs made by the project's own writers (and the simulator's answers): the corpus to start
// from.
std::vector<Bytes> seeds();

}  // namespace zvc::fuzz
