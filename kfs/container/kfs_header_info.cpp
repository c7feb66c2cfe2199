// Header queries of an open container: name, dates, versions, bases.
#include <cstdio>
#include <cstdlib>

#include "kfs/container/kfs_internal.h"

namespace {

// Formats a date or time text once and keeps it in the handle.
const char* Cached(char*& slot, const char* format, unsigned a, unsigned b, unsigned c) {
  if (!slot) {
    char text[32];
    int n = std::snprintf(text, sizeof text, format, a, b, c);
    if (n < 0 || static_cast<size_t>(n) >= sizeof text) return "";
    slot = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
    if (!slot) return "";
    std::snprintf(slot, static_cast<size_t>(n) + 1, format, a, b, c);
  }
  return slot;
}

const char* DateText(char*& slot, const unsigned short stamp[6]) {
  return Cached(slot, "%.4u-%.2u-%.2u", stamp[0], stamp[1], stamp[2]);
}

const char* TimeText(char*& slot, const unsigned short stamp[6]) {
  return Cached(slot, "%.2u:%.2u:%.2u", stamp[3], stamp[4], stamp[5]);
}

}  // namespace

extern "C" {

KFS_API const char* kfsGetFilename(kfsHandle file) { return file ? file->filname : nullptr; }

KFS_API const char* kfsGetFileCreationDate(kfsHandle file) {
  return file ? DateText(file->creationDate, file->creation) : "";
}

KFS_API const char* kfsGetFileCreationTime(kfsHandle file) {
  return file ? TimeText(file->creationTime, file->creation) : "";
}

KFS_API const char* kfsGetFileEditDate(kfsHandle file) {
  return file ? DateText(file->editDate, file->edit) : "";
}

KFS_API const char* kfsGetFileEditTime(kfsHandle file) {
  return file ? TimeText(file->editTime, file->edit) : "";
}

KFS_API unsigned int kfsGetVersionCreate(kfsHandle file) { return file ? file->versionCreate : 0; }
KFS_API unsigned int kfsGetVersionEdit(kfsHandle file) { return file ? file->versionEdit : 0; }
KFS_API unsigned int kfsGetVersionCreateApp(kfsHandle file) {
  return file ? file->versionCreateApp : 0;
}
KFS_API unsigned int kfsGetVersionEditApp(kfsHandle file) { return file ? file->versionEditApp : 0; }
KFS_API unsigned int kfsGetVersionCurrent(void) { return KFS_VERSION_CURRENT; }

KFS_API unsigned int kfsGetKFSbase(kfsHandle file) {
  return file ? static_cast<unsigned int>(file->kfsBase) : 0;
}

KFS_API unsigned int kfsGetAppBase(kfsHandle file) {
  return file ? static_cast<unsigned int>(file->appBase) : 0;
}

}  // extern "C"
