// Reading and writing the real files the simulated host keeps between runs
// (the mailbox and the registry).
//
// Reading takes only regular files: a FIFO, a device or a directory is refused
// at once, without opening it for reading in a way that could block or run
// without end. Saving never writes the file in place: the content goes to a new,
// uniquely named temporary file beside it (created exclusively, so neither a
// symbolic link planted under a guessable name nor another run saving at the same
// moment is ever written through), is flushed to the disk, and only then renamed
// over the file. So the file is always either the old or the new content, even
// when the process is killed during the save, and two runs saving at once leave
// one of their two files, never none. A killed save can leave its temporary file
// (".NAME.XXXXXX" beside NAME) behind; nothing else does.
#ifndef PINLET_SIM_MACHINE_REAL_FILES_H_
#define PINLET_SIM_MACHINE_REAL_FILES_H_

#include <string>
#include <string_view>

namespace pinlet::sim {

// The whole content of the regular file at `path`. False with `error` set when it
// cannot be read ("cannot read PATH: No such file or directory") or is not a
// regular file ("PATH is a FIFO, not a regular file"); `content` is then unchanged.
bool ReadWholeFile(const std::string& path, std::string& content, std::string* error);

// Replaces the file at `path` with `content` as described above. An existing file
// keeps its permissions (and its owner and group where the system allows); a new
// one gets the usual ones (0666 less the umask). When `path` is a symbolic link,
// the file it points to is replaced and the link kept. False with `error` set
// ("cannot save PATH: REASON; the file is unchanged") when the file cannot be
// saved; then the file is as it was and no temporary file is left.
bool WriteFileAtomically(const std::string& path, std::string_view content,
                         std::string* error);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_REAL_FILES_H_
