#include "core/common/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace zvc {
namespace {

bool writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         bool ownerOnly) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  struct stat old {};
  const mode_t kept = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const mode_t mode = ownerOnly ? 0600 : kept;
  const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace zvc
