// The in-memory header: creation, defaults, destruction and scalar fields.
#include "kfs/dfs/dfs_header.h"

#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_internal.h"

namespace {

// Replaces an owned text by a copy of another one.
int replaceText(LPHEAD header, char** field, const char* text) {
  char* copy = dfs::copyText(text);
  if (!copy) return DFS_FAIL(header, nullptr, kfsErrMemory);
  std::free(*field);
  *field = copy;
  return 0;
}

void freeCustomBlocks(LPHEAD header) {
  dfsCustomBlock* block = header->customBlocks;
  while (block) {
    dfsCustomBlock* next = block->next;
    std::free(block->name);
    std::free(block->data);
    std::free(block);
    block = next;
  }
  header->customBlocks = nullptr;
}

void freeEncodeKeys(LPHEAD header) {
  std::free(header->dfsEncode.xkey);
  std::free(header->dfsEncode.ykey);
  std::free(header->dfsEncode.zkey);
  header->dfsEncode = dfsEncodeKeys{nullptr, nullptr, nullptr, 0};
}

}  // namespace

extern "C" {

const char* dfsFileTypeStr(int fileType) try {
  switch (fileType) {
    case F_UNDEFINED_FILE_TYPE: return "F_UNDEFINED_FILE_TYPE";
    case F_EQTIME_FIXEDSPACE_ALLITEMS: return "F_EQTIME_FIXEDSPACE_ALLITEMS";
    case F_EQTIME_TVARSPACE_ALLITEMS: return "F_EQTIME_TVARSPACE_ALLITEMS";
    case F_NEQTIME_FIXEDSPACE_ALLITEMS: return "F_NEQTIME_FIXEDSPACE_ALLITEMS";
    case F_NEQTIME_FIXEDSPACE_VARITEMS: return "F_NEQTIME_FIXEDSPACE_VARITEMS";
    case F_NEQTIME_TVARSPACE_VARITEMS: return "F_NEQTIME_TVARSPACE_VARITEMS";
    default: return "*** FileType error ***";
  }
}
KORA_CATCH_ALL("*** FileType error ***")

const char* dfsTimeAxisTypeStr(int timeAxisType) try {
  static const char* const kNames[] = {"F_UNDEFINED_TAXIS", "F_TM_EQ_AXIS", "F_TM_NEQ_AXIS",
                                       "F_CAL_EQ_AXIS", "F_CAL_NEQ_AXIS"};
  if (timeAxisType < 0 || timeAxisType > 4) return "*** TimeAxis error ***";
  return kNames[timeAxisType];
}
KORA_CATCH_ALL("*** TimeAxis error ***")

int dfsInitHeader(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  std::memset(header, 0, sizeof *header);
  header->fileTitle = dfs::copyText("");
  header->appTitle = dfs::copyText("");
  if (!header->fileTitle || !header->appTitle) return DFS_FAIL(header, nullptr, kfsErrMemory);
  header->deleteFloat = DFS_DELETE_FLOAT;
  header->deleteDouble = DFS_DELETE_DOUBLE;
  header->deleteByte = DFS_DELETE_BYTE;
  header->deleteInt = DFS_DELETE_INT;
  header->deleteUnsigned = DFS_DELETE_UNSIGNED;
  header->geoInfoType = F_UNDEFINED_GEOINFO;
  header->time.type = F_UNDEFINED_TAXIS;
  header->time.span = DFS_DELETE_DOUBLE;
  header->time.endTime = DFS_DELETE_DOUBLE;
  header->modifyTimes = 1;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsHeaderCreate(int fileType, const char* fileTitle, const char* appTitle, int appVersion,
                    int nItems, int statsType, LPHEAD* out) try {
  if (!out) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  *out = nullptr;
  if (nItems < 1 || statsType < F_NO_STAT || statsType > F_LARGE_STAT)
    return DFS_FAIL(nullptr, nullptr, kfsErrBlock);
  LPHEAD header = static_cast<LPHEAD>(std::calloc(1, sizeof(DfsHeader)));
  if (!header) return DFS_FAIL(nullptr, nullptr, kfsErrMemory);
  int status = dfsInitHeader(header);
  if (status == 0) {
    header->fileType = fileType;
    header->appVersion = appVersion;
    header->statsType = statsType;
    status = replaceText(header, &header->fileTitle, fileTitle);
  }
  if (status == 0) status = replaceText(header, &header->appTitle, appTitle);
  if (status == 0) {
    header->items =
        static_cast<absItemS*>(std::calloc(static_cast<size_t>(nItems), sizeof(absItemS)));
    if (!header->items) status = DFS_FAIL(header, nullptr, kfsErrMemory);
  }
  if (status != 0) {
    dfsHeaderDestroy(&header);
    return status;
  }
  header->nItems = nItems;
  for (int i = 0; i < nItems; ++i) dfs::initItem(&header->items[i], header, 0);
  *out = header;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsHeaderDestroy(LPHEAD* header) try {
  if (!header) return 0;
  LPHEAD h = *header;
  *header = nullptr;
  if (!h) return 0;
  std::free(h->fileTitle);
  std::free(h->appTitle);
  std::free(h->projection);
  dfs::freeTimeAxis(&h->time);
  if (h->items) {
    for (int i = 0; i < h->nItems; ++i) dfs::clearItem(&h->items[i]);
    std::free(h->items);
  }
  freeCustomBlocks(h);
  freeEncodeKeys(h);
  std::free(h);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetFileType(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->fileType;
}
KORA_CATCH_ALL(0)

int dfsGetItemStatsType(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->statsType;
}
KORA_CATCH_ALL(0)

const char* dfsGetFileTitle(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), "";
  return header->fileTitle ? header->fileTitle : "";
}
KORA_CATCH_ALL("")

int dfsSetFileTitle(LPHEAD header, const char* title) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  return replaceText(header, &header->fileTitle, title);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

const char* dfsGetAppTitle(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), "";
  return header->appTitle ? header->appTitle : "";
}
KORA_CATCH_ALL("")

int dfsSetAppTitle(LPHEAD header, const char* title) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  return replaceText(header, &header->appTitle, title);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetAppVersionNo(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), -1;
  return header->appVersion;
}
KORA_CATCH_ALL(-1)

int dfsSetAppVersionNo(LPHEAD header, int version) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->appVersion = version;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetDataType(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->dataType;
}
KORA_CATCH_ALL(0)

int dfsSetDataType(LPHEAD header, int dataType) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->dataType = dataType;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

float dfsGetDeleteValFloat(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0.0f;
  return header->deleteFloat;
}
KORA_CATCH_ALL(0.0f)

int dfsSetDeleteValFloat(LPHEAD header, float value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->deleteFloat = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

double dfsGetDeleteValDouble(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0.0;
  return header->deleteDouble;
}
KORA_CATCH_ALL(0.0)

int dfsSetDeleteValDouble(LPHEAD header, double value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->deleteDouble = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

unsigned char dfsGetDeleteValByte(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->deleteByte;
}
KORA_CATCH_ALL(0)

int dfsSetDeleteValByte(LPHEAD header, unsigned char value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->deleteByte = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetDeleteValInt(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->deleteInt;
}
KORA_CATCH_ALL(0)

int dfsSetDeleteValInt(LPHEAD header, int value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->deleteInt = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

unsigned int dfsGetDeleteValUnsignedInt(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0u;
  return header->deleteUnsigned;
}
KORA_CATCH_ALL(0u)

int dfsSetDeleteValUnsignedInt(LPHEAD header, unsigned int value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->deleteUnsigned = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetVersionCurrent(void) try { return DFS_VERSION_CURRENT; }
KORA_CATCH_ALL(DFS_VERSION_CURRENT)

int dfsParamModifyTimes(LPHEAD header, int value) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->modifyTimes = value;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSimpSize(int type) try {
  static const int kSizes[8] = {0, 4, 8, 1, 4, 4, 2, 2};
  return (type >= 1 && type <= 7) ? kSizes[type] : 0;
}
KORA_CATCH_ALL(0)

const char* dfsSimpleTypeStr(int type) try {
  static const char* const kNames[] = {"block",     "terminator", "unknown",   "float",
                                       "double",    "byte",       "integer*4", "unsigned*4",
                                       "integer*2", "unsigned*2"};
  if (type < -2 || type > 7) return "unknown";
  return kNames[type + 2];
}
KORA_CATCH_ALL("unknown")

}  // extern "C"
