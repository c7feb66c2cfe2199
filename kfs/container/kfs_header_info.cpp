// Header queries of an open container: name, dates, versions, bases.
#include <cstdio>
#include <cstdlib>

#include "base/kora_boundary.h"
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

KFS_API const char* kfsGetFilename(kfsHandle file) try { return file ? file->filname : nullptr; }
KORA_CATCH_ALL(nullptr)

KFS_API const char* kfsGetFileCreationDate(kfsHandle file) try {
  return file ? DateText(file->creationDate, file->creation) : "";
}
KORA_CATCH_ALL("")

KFS_API const char* kfsGetFileCreationTime(kfsHandle file) try {
  return file ? TimeText(file->creationTime, file->creation) : "";
}
KORA_CATCH_ALL("")

KFS_API const char* kfsGetFileEditDate(kfsHandle file) try {
  return file ? DateText(file->editDate, file->edit) : "";
}
KORA_CATCH_ALL("")

KFS_API const char* kfsGetFileEditTime(kfsHandle file) try {
  return file ? TimeText(file->editTime, file->edit) : "";
}
KORA_CATCH_ALL("")

KFS_API unsigned int kfsGetVersionCreate(kfsHandle file) try {
  return file ? file->versionCreate : 0;
}
KORA_CATCH_ALL(0u)
KFS_API unsigned int kfsGetVersionEdit(kfsHandle file) try { return file ? file->versionEdit : 0; }
KORA_CATCH_ALL(0u)
KFS_API unsigned int kfsGetVersionCreateApp(kfsHandle file) try {
  return file ? file->versionCreateApp : 0;
}
KORA_CATCH_ALL(0u)
KFS_API unsigned int kfsGetVersionEditApp(kfsHandle file) try {
  return file ? file->versionEditApp : 0;
}
KORA_CATCH_ALL(0u)
KFS_API unsigned int kfsGetVersionCurrent(void) try { return KFS_VERSION_CURRENT; }
KORA_CATCH_ALL(KFS_VERSION_CURRENT)

KFS_API unsigned int kfsGetKFSbase(kfsHandle file) try {
  return file ? static_cast<unsigned int>(file->kfsBase) : 0;
}
KORA_CATCH_ALL(0u)

KFS_API unsigned int kfsGetAppBase(kfsHandle file) try {
  return file ? static_cast<unsigned int>(file->appBase) : 0;
}
KORA_CATCH_ALL(0u)

}  // extern "C"
