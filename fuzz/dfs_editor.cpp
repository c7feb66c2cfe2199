// The data-file editor: a file opened for edit (a step rewritten in place)
// and for append (a step added), its header brought up to date, closed, and
// read back. Whatever the input, the library must neither crash nor leave a
// file it closed successfully unreadable.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/memory_feed.h"
#include "fuzz/scratch_file.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!qtySetupLoad(KORACORE_SOURCE_DIR "/data/QTY.xml")) std::abort();
  return 0;
}

namespace {

constexpr int kMaxReads = 20000;

// One step of every item, values 1.0; stops at the first refusal.
void WriteStep(LPHEAD header, kfsHandle file, size_t inputSize) {
  int items = dfsGetNoOfItems(header);
  std::vector<unsigned char> values;
  for (int n = 1; n <= items && n <= 64; ++n) {
    if (!korafuzz::SizeForValues(values, dfsGetItemElements(dfsItemD(header, n)), inputSize))
      return;
    if (dfsWriteItemTimeStep(header, file, values.data(), 1.0) != 0) return;
  }
}

// Closes; a close that failed leaves the file open for the caller to let go.
bool Close(LPHEAD header, kfsHandle* file) {
  bool closed = dfsFileClose(header, file) == 0;
  if (*file) FCloseFile(file);
  return closed;
}

bool Edit(const std::string& path, size_t inputSize, bool append) {
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  int opened = append ? dfsFileAppend(path.c_str(), &header, &file)
                      : dfsFileEdit(path.c_str(), &header, &file);
  bool closed = false;
  if (opened == 0) {
    if (append || dfsFindTimeStep(header, file, 0) == 0) WriteStep(header, file, inputSize);
    dfsUpdateHeader(header, 1, file);
    closed = Close(header, &file);
  }
  if (header) dfsHeaderDestroy(&header);
  return closed;
}

bool ReadBack(const std::string& path, size_t inputSize) {
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  const bool opened = dfsFileRead(path.c_str(), &header, &file) == 0;
  if (opened) {
    int items = dfsGetNoOfItems(header);
    std::vector<unsigned char> values;
    for (int read = 0; items > 0 && read < kMaxReads; ++read) {
      LPITEM item = dfsItemD(header, read % items + 1);
      bool sized = item && korafuzz::SizeForValues(values, dfsGetItemElements(item), inputSize);
      if (dfsReadItemTimeStep(header, file, nullptr, sized ? values.data() : nullptr) != 0) break;
    }
  }
  if (file) dfsFileClose(header, &file);
  if (header) dfsHeaderDestroy(&header);
  return opened;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("edit", ".dfs");
  if (!fuzz::WriteInput(path, data, size)) return 0;
  Edit(path, size, false);
  const bool appended = Edit(path, size, true);
  // A file the library closed without complaint opens again.
  if (!ReadBack(path, size) && appended) __builtin_trap();
  unlink(path.c_str());
  return 0;
}
