// Scratch files for the harnesses that hand their input to a reader through
// the file system.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// "<$TMPDIR or /tmp>/koracore-fuzz-<name>-<process id><suffix>": one per
// process, because libFuzzer's -jobs and -fork run several side by side.
inline std::string ScratchPath(const char* name, const char* suffix) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/koracore-fuzz-" + name + "-" +
         std::to_string(getpid()) + suffix;
}

// Writes the input as the whole file; false when it could not be written
// whole, and the input is then skipped rather than read half-written.
inline bool WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
  return std::fclose(out) == 0 && written;
}

}  // namespace fuzz
