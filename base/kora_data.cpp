// The search for shipped data files (see kora_data.h for the rule).
//
// The installation's data folder is found from the file the code of this
// function was loaded from: librcf-koracore for every host that links the
// shared libraries, the program itself for the unit tests that link the
// static archives. The build passes the relative path from the library
// folder and from the program folder to the data folder, as the install
// layout has them; the build tree keeps the same layout, so it needs no
// other rule and the source tree is never looked at.
#include "base/kora_data.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#ifndef KORACORE_LIBRARY_TO_DATA
#define KORACORE_LIBRARY_TO_DATA "../share/koracore"
#endif
#ifndef KORACORE_PROGRAM_TO_DATA
#define KORACORE_PROGRAM_TO_DATA "../share/koracore"
#endif

namespace {

struct Candidate {
  std::string path;
  std::string origin;
};

bool IsSet(const char* value) { return value && *value; }

std::string Joined(std::string folder, const std::string& name) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + name;
}

std::string RealPath(const char* path) {
  char* resolved = realpath(path, nullptr);
  if (!resolved) return std::string();
  std::string result(resolved);
  free(resolved);
  return result;
}

// Removes "name/.." pairs from an absolute path without symbolic links, so
// that messages show "/opt/k/share/koracore" rather than
// "/opt/k/lib/../share/koracore".
std::string Normalised(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

std::string FolderOf(const std::string& file) {
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

// The file this code was loaded from, without symbolic links, and whether it
// is the program rather than a shared library. Empty when it cannot be told.
std::string LoadedFrom(bool* isProgram) {
  const std::string program = RealPath("/proc/self/exe");
  Dl_info info{};
  const void* self = reinterpret_cast<const void*>(&koraFindDataFile);
  std::string module;
  if (dladdr(self, &info) && info.dli_fname && *info.dli_fname) module = RealPath(info.dli_fname);
  if (module.empty()) module = program;
  *isProgram = module == program;
  return module;
}

Candidate InstallationCandidate(const std::string& name) {
  bool isProgram = false;
  const std::string module = LoadedFrom(&isProgram);
  if (module.empty()) return Candidate();
  const char* toData = isProgram ? KORACORE_PROGRAM_TO_DATA : KORACORE_LIBRARY_TO_DATA;
  const std::string folder = Normalised(Joined(FolderOf(module), toData));
  return Candidate{Joined(folder, name), "installation of " + module};
}

std::vector<Candidate> Candidates(const std::string& name) {
  const char* data = getenv("KORACORE_DATA");
  if (IsSet(data)) return {Candidate{Joined(data, name), "KORACORE_DATA"}};
  const char* home = getenv("KORA_HOME");
  if (IsSet(home)) {
    return {Candidate{Joined(Joined(home, "bin"), name), "KORA_HOME"},
            Candidate{Joined(Joined(home, "share/koracore"), name), "KORA_HOME"}};
  }
  Candidate installed = InstallationCandidate(name);
  if (installed.path.empty()) return {};
  return {installed};
}

bool IsFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsValidName(const char* name) { return IsSet(name) && name[0] != '/'; }

// snprintf's contract for a std::string: as much as fits, always terminated.
void CopyCut(const std::string& text, char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  const size_t n = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

}  // namespace

extern "C" int koraFindDataFile(const char* name, char* path, size_t size, size_t* length) {
  try {
    if (!IsValidName(name)) {
      CopyCut(std::string(), path, size);
      if (length) *length = 0;
      return -1;
    }
    const std::vector<Candidate> candidates = Candidates(name);
    std::string result = candidates.empty() ? std::string() : candidates.front().path;
    int found = 0;
    for (const Candidate& candidate : candidates) {
      if (IsFile(candidate.path)) {
        result = candidate.path;
        found = 1;
        break;
      }
    }
    CopyCut(result, path, size);
    if (length) *length = result.size();
    return found;
  } catch (...) {  // memory ran out: nothing found
    CopyCut(std::string(), path, size);
    if (length) *length = 0;
    return 0;
  }
}

extern "C" size_t koraDataSearchList(const char* name, char* text, size_t size) {
  try {
    std::string list;
    if (IsValidName(name)) {
      for (const Candidate& candidate : Candidates(name)) {
        list += candidate.path + " (" + candidate.origin + ")\n";
      }
    }
    CopyCut(list, text, size);
    return list.size();
  } catch (...) {
    CopyCut(std::string(), text, size);
    return 0;
  }
}
