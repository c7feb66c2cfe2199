// Turns a Document into parameter-file text and stores it safely on disk.
#ifndef KORACORE_RCF_WRITER_H
#define KORACORE_RCF_WRITER_H

#include "rcf/Document.h"

#include <string>

namespace rcf {

// The text of the document. Returns 0, or a code with the error state set
// (a document without targets, a line that would be too long).
int FormatDocument(const Document& doc, std::string& text);

// Writes text to path through a temporary file in the same folder that then
// replaces path: readers see the old file or the new one, never a part.
// Returns 0, or RCF_ERR_WRITE with the error state set.
int WriteFileAtomically(const std::string& path, const std::string& text);

}  // namespace rcf

#endif
