#include "sim/machine/real_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace pinlet::sim {
namespace {

// What a file that is not a regular file is, for messages.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the result: a delayed write error shows here.
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const size_t chunk =
        content.size() < (size_t{1} << 30) ? content.size() : size_t{1} << 30;
    const ssize_t written = ::write(fd, content.data(), chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  // Non-blocking, so that opening a FIFO without a writer returns at once.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return fail("cannot read " + path + ": " + std::strerror(errno));
  struct stat st;
  if (::fstat(fd.get(), &st) != 0)
    return fail("cannot read " + path + ": " + std::strerror(errno));
  if (!S_ISREG(st.st_mode))
    return fail(path + " is " + KindOf(st.st_mode) + ", not a regular file");
  std::string text;
  text.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail("cannot read " + path + ": " + std::strerror(errno));
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  content = std::move(text);
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view content,
                         std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot save " + path + ": " + why + "; the file is unchanged";
    return false;
  };
  std::string target = path;
  struct stat st;
  bool exists = false;
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) {
      char* resolved = ::realpath(path.c_str(), nullptr);
      if (!resolved) return fail("it is a symbolic link to nothing usable");
      target = resolved;
      std::free(resolved);
      if (::stat(target.c_str(), &st) != 0) return fail(std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode))
      return fail(std::string("it is ") + KindOf(st.st_mode) + ", not a regular file");
    exists = true;
  } else if (errno != ENOENT) {
    return fail(std::strerror(errno));
  }

  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : target.substr(0, slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "/." + base + ".XXXXXX";
  // mkostemp creates the file with O_CREAT | O_EXCL under a name nobody holds.
  Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0)
    return fail("cannot create a temporary file in " + folder + ": " +
                std::strerror(errno));
  auto fail_removing = [&](const std::string& why) {
    ::unlink(temporary.c_str());
    return fail(why);
  };
  const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
    // Only where the system allows it; otherwise the new file is ours.
    [[maybe_unused]] const int ignored = ::fchown(fd.get(), st.st_uid, st.st_gid);
  }
  if (::fchmod(fd.get(), mode) != 0) return fail_removing(std::strerror(errno));
  if (!WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.Close())
    return fail_removing("cannot write " + temporary + ": " + std::strerror(errno));
  if (::rename(temporary.c_str(), target.c_str()) != 0)
    return fail_removing(std::strerror(errno));
  // The rename itself reaches the disk with the folder.
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return true;
}

}  // namespace pinlet::sim
