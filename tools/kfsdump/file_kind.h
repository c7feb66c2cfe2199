// What kind of file kfsdump was given: a data file, a cross-section file or
// another container (told apart by the container's API identifier), or an
// older catalogue (by its name, <name>.ct<N> or <name>.dt<N>).
#ifndef TOOLS_KFSDUMP_FILE_KIND_H
#define TOOLS_KFSDUMP_FILE_KIND_H

#include <string>

namespace kfsdump {

enum class FileKind { eDataFile, eCrossSections, eContainer, eCatalogue };

struct FileInfo {
  FileKind kind = FileKind::eContainer;
  unsigned int apiId = 0;
  long long size = 0;
};

// Throws tools::Failure for a missing file, a folder, or a file of no kind
// above.
FileInfo Identify(const std::string& path);

// "DFS_" for 0x5F534644: the identifier as it stands in the file.
std::string ApiText(unsigned int apiId);

// An older catalogue's folder (with its "/"), name and number of axes from
// the path of its catalogue or data file; false for other names.
bool CatalogueParts(const std::string& path, std::string* prefix, std::string* name, int* axes);

}  // namespace kfsdump

#endif
