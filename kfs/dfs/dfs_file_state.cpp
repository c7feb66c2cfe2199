// The per-handle state of the data-file layer, attached to container handles.
#include "kfs/dfs/dfs_file_state.h"

#include <new>

namespace dfs {

namespace {

void release(void* state) { delete static_cast<FileState*>(state); }

FileState* attach(kfsHandle file) {
  auto* s = new (std::nothrow) FileState;
  if (!s) return nullptr;
  s->lastHeaderUpdate = std::clock();
  kfs::AttachUpperState(file, s, release);
  return s;
}

}  // namespace

bool attachState(kfsHandle file) {
  FileState* s = attach(file);
  if (s) s->position = eInHeader;
  return s != nullptr;
}

FileState* state(kfsHandle file) {
  if (auto* s = static_cast<FileState*>(kfs::UpperState(file))) return s;
  FileState* s = attach(file);
  if (!s) kfs::Raise(file, kfsErrMemory, __LINE__);
  return s;
}

}  // namespace dfs
