// Writing documents as text and to files.
#include "rcf/ErrorState.h"
#include "rcf/Handles.h"
#include "rcf/Writer.h"
#include "rcf/rcf.h"

#include <new>

int rcfWrite(void* doc, const char* path) {
  const rcf::Document* d = rcf::AsDocument(doc);
  if (!d) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfWrite: not a document handle");
  if (!path || !*path) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfWrite: no path");
  try {
    std::string text;
    if (const int status = rcf::FormatDocument(*d, text)) return status;
    if (const int status = rcf::WriteFileAtomically(path, text)) return status;
  } catch (const std::bad_alloc&) {
    return rcf::Fail(RCF_ERR_NO_MEMORY, std::string("out of memory writing '") + path + "'");
  }
  rcf::Succeed();
  return RCF_OK;
}

CString rcfWriteText(void* doc) {
  const rcf::Document* d = rcf::AsDocument(doc);
  if (!d) {
    rcf::Fail(RCF_ERR_ARGUMENT, "rcfWriteText: not a document handle");
    return CString();
  }
  try {
    std::string text;
    if (rcf::FormatDocument(*d, text) != RCF_OK) return CString();
    CString out;
    out.SetString(text.data(), static_cast<int>(text.size()));
    rcf::Succeed();
    return out;
  } catch (const std::bad_alloc&) {
    rcf::Fail(RCF_ERR_NO_MEMORY, "out of memory writing a document as text");
    return CString();
  }
}
