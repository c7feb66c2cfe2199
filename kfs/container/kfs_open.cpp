// Opening and closing container files and memory streams: the header, the
// identification of the calling interface and the edit-stamp refresh.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "base/kora_boundary.h"
#include "kfs/container/kfs_access.h"
#include "kfs/container/kfs_internal.h"

namespace {

const char kMagic[4] = {'O', 'X', 'A', '_'};
const char kMagicReversed[4] = {'_', 'A', 'X', 'O'};
const char kFixedText[] = " KORA Vale - this file contains binary data, do not edit";
static_assert(sizeof(kFixedText) - 1 == 56, "the fixed header text is 56 bytes");
constexpr unsigned char kEndOfText = 0x1A;
// Creation and edit parts: 2 x (stamp 12, versions 8), reserved 8.
constexpr int kHeaderNumbersBytes = 48;
constexpr int kEditPartOffset = 20;  // from the container base
constexpr int kReservedOffset = 40;  // from the container base

void StampNow(unsigned short stamp[6]) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  stamp[0] = static_cast<unsigned short>(local.tm_year + 1900);
  stamp[1] = static_cast<unsigned short>(local.tm_mon + 1);
  stamp[2] = static_cast<unsigned short>(local.tm_mday);
  stamp[3] = static_cast<unsigned short>(local.tm_hour);
  stamp[4] = static_cast<unsigned short>(local.tm_min);
  stamp[5] = static_cast<unsigned short>(local.tm_sec);
}

char* CopyText(const char* text) {
  if (!text) return nullptr;
  size_t n = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, text, n);
  return copy;
}

kfsFile* NewHandle(CKfsStorage* storage, const char* name) {
  auto* file = static_cast<kfsFile*>(std::calloc(1, sizeof(kfsFile)));
  if (!file) return nullptr;
  file->storage = storage;
  file->peekiCurrent = -1;
  if (name && !(file->filname = CopyText(name))) {
    std::free(file);
    return nullptr;
  }
  return file;
}

void FreeHandle(kfsFile* file) {
  if (file->releaseUpperState) file->releaseUpperState(file->upperState);
  delete file->storage;
  std::free(file->filname);
  std::free(file->creationDate);
  std::free(file->creationTime);
  std::free(file->editDate);
  std::free(file->editTime);
  std::free(file);
}

// Fails an open: reports the code, releases what was made.
unsigned int FailOpen(unsigned int code, int line, CKfsStorage* storage, kfsFile* file) {
  kfs::Report(code, line);
  if (file) {
    FreeHandle(file);
  } else if (storage) {
    storage->Close();
    delete storage;
  }
  return code;
}
#define FAIL_OPEN(code, storage, file) FailOpen((code), __LINE__, (storage), (file))

// Fails an open whose read already latched and reported its error.
unsigned int FailedRead(kfsFile* file) {
  unsigned int status = file->status;
  FreeHandle(file);
  return status;
}

// Appends n bytes to a header being assembled.
unsigned char* Put(unsigned char* at, const void* bytes, size_t n) {
  std::memcpy(at, bytes, n);
  return at + n;
}

unsigned int WriteNewHeader(kfsFile* file, const char* applicationText, unsigned int apiId,
                            unsigned int appVersion) {
  size_t textLength = applicationText ? std::strlen(applicationText) : 0;
  size_t total = 4 + 4 + 56 + (textLength ? 2 + textLength : 0) + 1 + kHeaderNumbersBytes;
  auto* header = static_cast<unsigned char*>(std::malloc(total));
  if (!header) return kfsErrMemory;
  const uint32_t versions[2] = {KFS_VERSION_CURRENT, appVersion};
  const uint32_t reserved[2] = {0, 0};
  const uint32_t id = apiId;
  unsigned char* at = Put(header, kMagic, 4);
  at = Put(at, &id, 4);
  at = Put(at, kFixedText, 56);
  if (textLength) {
    at = Put(at, "  ", 2);
    at = Put(at, applicationText, textLength);
  }
  *at++ = kEndOfText;
  file->kfsBase = at - header;
  at = Put(at, file->creation, 12);
  at = Put(at, versions, 8);
  at = Put(at, file->edit, 12);
  at = Put(at, versions, 8);
  at = Put(at, reserved, 8);
  file->appBase = at - header;
  bool written = kfs::WriteBytes(file, header, total);
  std::free(header);
  return written ? kfsOK : kfsErrWrite;
}

unsigned int OpenCreate(CKfsStorage* storage, const char* name, const char* applicationText,
                        kfsHandle* handle, kfsIdentifierCallback identifier) {
  kfsFile* file = NewHandle(storage, name);
  if (!file) return FAIL_OPEN(kfsErrMemory, storage, nullptr);
  unsigned int appVersion = 0;
  unsigned int apiId = identifier ? identifier(&appVersion) : KFS_DEFAULT_API_ID;
  StampNow(file->creation);
  std::memcpy(file->edit, file->creation, sizeof file->edit);
  file->versionCreate = file->versionEdit = KFS_VERSION_CURRENT;
  file->versionCreateApp = file->versionEditApp = appVersion;
  if (unsigned int status = WriteNewHeader(file, applicationText, apiId, appVersion)) {
    // The write error is reported once, here, not also by the transfer.
    if (status == kfsErrMemory) kfs::Report(status, __LINE__);
    FreeHandle(file);
    return status;
  }
  *handle = file;
  return kfsOK;
}

// Reads the numbers behind the container base: stamps, versions, reserved.
bool ReadHeaderNumbers(kfsFile* file) {
  uint32_t numbers[2];
  uint32_t reserved[2];
  return kfs::ReadElements(file, file->creation, 2, 6) && kfs::ReadElements(file, numbers, 4, 2) &&
         (file->versionCreate = numbers[0], file->versionCreateApp = numbers[1], true) &&
         kfs::ReadElements(file, file->edit, 2, 6) && kfs::ReadElements(file, numbers, 4, 2) &&
         (file->versionEdit = numbers[0], file->versionEditApp = numbers[1], true) &&
         kfs::ReadElements(file, reserved, 4, 2) && (file->reservedWord = reserved[0], true);
}

unsigned int OpenExisting(CKfsStorage* storage, const char* name, kfsHandle* handle,
                          kfsIdentifierCallback identifier, unsigned int* fileIdentifier,
                          unsigned int* callerAppVersion) {
  char magic[4];
  if (storage->Read(magic, 1, 4) != 4) return FAIL_OPEN(kfsErrRead, storage, nullptr);
  int swap;
  if (std::memcmp(magic, kMagic, 4) == 0)
    swap = 0;
  else if (std::memcmp(magic, kMagicReversed, 4) == 0)
    swap = 1;
  else
    return FAIL_OPEN(kfsErrNotContainer, storage, nullptr);

  kfsFile* file = NewHandle(storage, name);
  if (!file) return FAIL_OPEN(kfsErrMemory, storage, nullptr);
  file->swap = swap;
  uint32_t id;
  if (!kfs::ReadElements(file, &id, 4, 1)) return FailedRead(file);
  if (fileIdentifier) *fileIdentifier = id;

  // Without an identifier the caller takes any container, as the internal
  // identifier does.
  unsigned int appVersion = 0;
  unsigned int callerId = identifier ? identifier(&appVersion) : KFS_INTERNAL_API_ID;
  if (callerAppVersion) *callerAppVersion = appVersion;
  if (id != callerId && callerId != KFS_INTERNAL_API_ID)
    return FAIL_OPEN(kfsErrApiId, nullptr, file);

  // The texts are free-form: everything up to the first end-of-text mark.
  // A header cut short anywhere is a damaged file, not an empty one.
  unsigned char byte = 0;
  while (byte != kEndOfText) {
    if (!kfs::ReadBytes(file, &byte, 1, false)) return FailedRead(file);
  }
  file->kfsBase = storage->Tell();
  if (!ReadHeaderNumbers(file)) return FailedRead(file);
  file->appBase = storage->Tell();
  file->status = kfsOK;
  *handle = file;
  return kfsOK;
}

// Brings the edit part of the header up to date unless the file was made by
// this container version for the same application version.
unsigned int RefreshEditPart(kfsFile* file, unsigned int appVersion) {
  if (file->versionCreate == KFS_VERSION_CURRENT && appVersion == file->versionCreateApp)
    return kfsOK;
  StampNow(file->edit);
  std::free(file->editDate);
  std::free(file->editTime);
  file->editDate = file->editTime = nullptr;
  if (!file->storage->Seek(file->kfsBase + kEditPartOffset, SEEK_SET)) return kfsErrSeek;
  file->lastOp = kfsLastNone;
  const uint32_t versions[2] = {KFS_VERSION_CURRENT, appVersion};
  if (!kfs::WriteElements(file, file->edit, 2, 6) || !kfs::WriteElements(file, versions, 4, 2))
    return kfsErrWrite;
  return kfsOK;
}

// The common start of the disk-file opens: checks the arguments, clears
// *handle and opens the stream. Returns 0 with *storage set, or the failure.
unsigned int OpenDiskStorage(const char* path, const char* mode, kfsHandle* handle,
                             CKfsFile** storage) {
  *storage = nullptr;
  if (!handle) return FAIL_OPEN(kfsErrNullArgument, nullptr, nullptr);
  *handle = nullptr;
  if (!path) return FAIL_OPEN(kfsErrNullArgument, nullptr, nullptr);
  auto* file = new (std::nothrow) CKfsFile;
  if (!file) return FAIL_OPEN(kfsErrMemory, nullptr, nullptr);
  if (!file->Open(path, mode)) return FAIL_OPEN(kfsErrOpen, file, nullptr);
  *storage = file;
  return kfsOK;
}

}  // namespace

namespace kfs {

bool WriteReservedWord(kfsFile* file, uint32_t value) {
  if (file->status > kfsEndOfFile || file->readOnly || !file->filname) return false;
  const long long back = kfsTell64(file);
  if (back < 0 || kfsSeek64(file, file->kfsBase + kReservedOffset, SEEK_SET) != kfsOK) return false;
  if (!WriteElements(file, &value, 4, 1)) return false;
  // Whatever the word announces must be in the file before what follows.
  if (!file->storage->Flush()) {
    KFS_RAISE(file, kfsErrWrite);
    return false;
  }
  file->reservedWord = value;
  return kfsSeek64(file, back, SEEK_SET) == kfsOK;
}

}  // namespace kfs

extern "C" {

KFS_API unsigned int kfsInternalAPI(unsigned int* appVersion) try {
  if (appVersion) *appVersion = 0;
  return KFS_INTERNAL_API_ID;
}
KORA_CATCH_ALL(KFS_INTERNAL_API_ID)

KFS_API unsigned int kfsFileOpenCreate(const char* path, const char* applicationText,
                                       kfsHandle* handle, kfsIdentifierCallback identifier,
                                       int update) try {
  CKfsFile* storage = nullptr;
  if (unsigned int status = OpenDiskStorage(path, update ? "wb+" : "wb", handle, &storage))
    return status;
  return OpenCreate(storage, path, applicationText, handle, identifier);
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsStreamOpenCreate(void* buffer, size_t capacity, kfsStreamDrain drain,
                                         const char* applicationText, kfsHandle* handle,
                                         kfsIdentifierCallback identifier) try {
  if (!handle) return FAIL_OPEN(kfsErrNullArgument, nullptr, nullptr);
  *handle = nullptr;
  CKfsStorage* storage = CKfsStorage::CreateStreamBufferWriter(buffer, capacity, drain);
  if (!storage) return FAIL_OPEN(kfsErrOpen, nullptr, nullptr);
  return OpenCreate(storage, nullptr, applicationText, handle, identifier);
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsFileOpenRead(const char* path, kfsHandle* handle,
                                     kfsIdentifierCallback identifier,
                                     unsigned int* fileIdentifier) try {
  CKfsFile* storage = nullptr;
  if (unsigned int status = OpenDiskStorage(path, "rb", handle, &storage)) return status;
  unsigned int status = OpenExisting(storage, path, handle, identifier, fileIdentifier, nullptr);
  if (status == kfsOK) (*handle)->readOnly = 1;
  return status;
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsStreamOpenRead(void* buffer, size_t capacity, kfsStreamRefill refill,
                                       kfsHandle* handle, kfsIdentifierCallback identifier,
                                       unsigned int* fileIdentifier) try {
  if (!handle) return FAIL_OPEN(kfsErrNullArgument, nullptr, nullptr);
  *handle = nullptr;
  CKfsStorage* storage = CKfsStorage::CreateStreamBuffer(buffer, capacity, refill);
  if (!storage) return FAIL_OPEN(kfsErrOpen, nullptr, nullptr);
  unsigned int status = OpenExisting(storage, nullptr, handle, identifier, fileIdentifier, nullptr);
  if (status == kfsOK) (*handle)->readOnly = 1;
  return status;
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsFileOpenEdit(const char* path, kfsHandle* handle,
                                     kfsIdentifierCallback identifier,
                                     unsigned int* fileIdentifier) try {
  CKfsFile* storage = nullptr;
  if (unsigned int status = OpenDiskStorage(path, "rb+", handle, &storage)) return status;
  unsigned int appVersion = 0;
  kfsHandle file = nullptr;
  unsigned int status = OpenExisting(storage, path, &file, identifier, fileIdentifier, &appVersion);
  if (status != kfsOK) return status;
  status = RefreshEditPart(file, appVersion);
  // A failed write was reported by the transfer itself.
  if (status == kfsErrSeek) return FAIL_OPEN(status, nullptr, file);
  if (status != kfsOK) {
    FreeHandle(file);
    return status;
  }
  file->lastOp = kfsLastNone;
  if (!storage->Seek(file->appBase, SEEK_SET)) return FAIL_OPEN(kfsErrSeek, nullptr, file);
  *handle = file;
  return kfsOK;
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsFileClose(kfsHandle* handle) try {
  if (!handle || !*handle) return kfsOK;
  kfsFile* file = *handle;
  bool closed = file->storage->Close();
  FreeHandle(file);
  *handle = nullptr;
  if (closed) return kfsOK;
  KFS_REPORT(kfsErrClose);
  return kfsErrClose;
}
KORA_CATCH_ALL(::kfs::Escaped(nullptr, __LINE__))

KFS_API unsigned int kfsFileFlush(kfsHandle file) try {
  if (!file) return kfsOK;
  if (file->storage->Flush()) return kfsOK;
  KFS_REPORT(kfsErrFlush);
  return kfsErrFlush;
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

}  // extern "C"
