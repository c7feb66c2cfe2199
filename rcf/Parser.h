// Reads the parameter-file syntax (docs/parameter-files.md) into a Document.
#ifndef KORACORE_RCF_PARSER_H
#define KORACORE_RCF_PARSER_H

#include "rcf/Document.h"
#include "rcf/LineReader.h"

#include <memory>
#include <string>

namespace rcf {

// The whole input, or null with the error state set (code and a detail
// "<sourceName>:<line>: <what>"). On success the error state is left alone.
std::unique_ptr<Document> Parse(LineReader& reader, const std::string& sourceName);

}  // namespace rcf

#endif
