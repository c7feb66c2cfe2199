// Writing documents as text and to files.
#include "rcf/ErrorState.h"
#include "rcf/Handles.h"
#include "rcf/Writer.h"
#include "rcf/rcf.h"

#include <new>

// Writing into a temporary file that replaces path only when complete means
// that running out of memory part way leaves an earlier file as it was.
int rcfWrite(void* doc, const char* path) {
  return rcf::Guarded(static_cast<int>(RCF_ERR_NO_MEMORY), [&] {
    const rcf::Document* d = rcf::AsDocument(doc);
    if (!d) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfWrite: not a document handle");
    if (!path || !*path) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfWrite: no path");
    std::string text;
    if (const int status = rcf::FormatDocument(*d, text)) return status;
    if (const int status = rcf::WriteFileAtomically(path, text)) return status;
    rcf::Succeed();
    return static_cast<int>(RCF_OK);
  });
}

CString rcfWriteText(void* doc) {
  return rcf::Guarded(CString(), [&] {
    const rcf::Document* d = rcf::AsDocument(doc);
    if (!d) {
      rcf::Fail(RCF_ERR_ARGUMENT, "rcfWriteText: not a document handle");
      return CString();
    }
    std::string text;
    if (rcf::FormatDocument(*d, text) != RCF_OK) return CString();
    CString out;
    out.SetString(text.data(), static_cast<int>(text.size()));
    rcf::Succeed();
    return out;
  });
}
