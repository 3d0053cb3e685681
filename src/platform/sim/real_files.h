// Reading and writing the real files the simulated host keeps between runs
// (the mailbox and the registry): whole files in, and out through a
// temporary file renamed over the old one, so a crash never leaves half a file.
#ifndef PINLET_PLATFORM_SIM_REAL_FILES_H_
#define PINLET_PLATFORM_SIM_REAL_FILES_H_

#include <string>

namespace pinlet::sim {

// The whole file; false with `error` ("cannot read PATH") when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content, std::string* error);
// Writes PATH.tmp and renames it to PATH; false with `error` on failure, and
// then PATH is as it was.
bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::string* error);

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_REAL_FILES_H_
