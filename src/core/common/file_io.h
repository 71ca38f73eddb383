#pragma once

#include <filesystem>
#include <string_view>

namespace zvc {

// Writes the bytes to a temporary file in the same folder and renames it over
// the target, so a crash or a full disk never leaves half a file in place of a
// good one. Keeps the old file's permissions, or with ownerOnly makes it
// readable and writable by the owner only (a file that holds passwords). False
// when anything failed; the old file is then untouched.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         bool ownerOnly = false);

}  // namespace zvc
