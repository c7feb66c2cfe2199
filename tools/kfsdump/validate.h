// kfsdump --validate: walks a whole file with the library's readers and
// names the first structural fault with its byte offset and status code.
//
// Every container is walked item by item (records, block starts and ends,
// each record's length against the file's); a data file is then read as
// the data-file interface reads it: header, static items, and every item of
// every time step the header counts, each checked for its type and length.
// A cross-section file is loaded whole, a catalogue read with its data file
// beside it.
#ifndef TOOLS_KFSDUMP_VALIDATE_H
#define TOOLS_KFSDUMP_VALIDATE_H

#include <string>

#include "file_kind.h"

namespace kfsdump {

// A one-line summary of a sound file; throws tools::Failure naming the
// offset ("offset 1234: ...") and the status code of the first fault.
std::string Validate(const std::string& path, const FileInfo& info);

}  // namespace kfsdump

#endif
