// koracore-demo: writes a small container file and reads it back.
//
//   koracore-demo [OUTPUT_FOLDER]     (default: the current folder)
//
// Creates OUTPUT_FOLDER/demo.kfs with records of several simple types and
// two logical blocks, then opens it again and prints its header dates and
// versions and every item it holds. The program does not change the process
// locale, so numbers print in the "C" locale.
#include <cstdio>
#include <string>

#include "kfs/container/KvFileUtil.h"
#include "kfs/container/kfs.h"

namespace {

bool WriteDemo(const std::string& path) {
  kfsHandle file = nullptr;
  if (kfsFileOpenCreate(path.c_str(), "koracore demo", &file, nullptr, 0) != 0) return false;
  const char title[] = "water levels, station 12";
  const double levels[4] = {1.25, 1.5, 1.375, -0.0625};
  const float discharge[3] = {12.5f, 13.25f, 14.0f};
  const int steps = 4;
  kfsLrecWrite(file, kfsTypeByte, sizeof title - 1, title);
  kfsLrecWrite(file, kfsTypeDouble, 4, levels);
  kfsLrecWrite(file, kfsTypeFloat, 3, discharge);

  kfsLblock block = kfsLblockAdd(kfsTypeInt4, 1, &steps, 1, nullptr);
  const unsigned short date[3] = {2024, 6, 11};
  const short offsets[2] = {-3600, 7200};
  kfsLblockAdd(kfsTypeUInt2, 3, date, 1, block);
  kfsLblockAdd(kfsTypeInt2, 2, offsets, 1, block);
  kfsLblockWrite(1, file, block);
  kfsLblockFree(&block);
  kfsLblockWrite(2, file, nullptr);
  const unsigned int checksum = 0xC0FFEEu;
  kfsLrecWrite(file, kfsTypeUInt4, 1, &checksum);

  unsigned int status = kfsPeekError(file);
  return kfsFileClose(&file) == 0 && status == 0;
}

void PrintValues(kfsSimpleType type, unsigned int count, const void* data) {
  if (type == kfsTypeByte) {
    std::printf(" \"%.*s\"", static_cast<int>(count), static_cast<const char*>(data));
    return;
  }
  for (unsigned int i = 0; i < count; ++i) {
    switch (type) {
      case kfsTypeFloat: std::printf(" %.9g", static_cast<const float*>(data)[i]); break;
      case kfsTypeDouble: std::printf(" %.17g", static_cast<const double*>(data)[i]); break;
      case kfsTypeInt4: std::printf(" %d", static_cast<const int*>(data)[i]); break;
      case kfsTypeUInt4: std::printf(" %u", static_cast<const unsigned*>(data)[i]); break;
      case kfsTypeInt2: std::printf(" %d", static_cast<const short*>(data)[i]); break;
      case kfsTypeUInt2: std::printf(" %u", static_cast<const unsigned short*>(data)[i]); break;
      default: break;
    }
  }
}

void PrintRecord(const char* indent, kfsSimpleType type, unsigned int count, const void* data) {
  std::printf("%s%s[%u]", indent, kfsSimpName(type), count);
  PrintValues(type, count, data);
  std::printf("\n");
}

bool ReadDemo(const std::string& path) {
  kfsHandle file = nullptr;
  unsigned int identifier = 0;
  if (kfsFileOpenRead(path.c_str(), &file, kfsInternalAPI, &identifier) != 0) return false;
  std::printf("file     %s\n", kfsGetFilename(file));
  std::printf("created  %s %s  container version %u, application version %u\n",
              kfsGetFileCreationDate(file), kfsGetFileCreationTime(file), kfsGetVersionCreate(file),
              kfsGetVersionCreateApp(file));
  std::printf("edited   %s %s  container version %u, application version %u\n",
              kfsGetFileEditDate(file), kfsGetFileEditTime(file), kfsGetVersionEdit(file),
              kfsGetVersionEditApp(file));
  std::printf("identifier 0x%08X, items from byte %u:\n", identifier, kfsGetAppBase(file));
  int items = 0;
  while (true) {
    long long offset = kfsTell64(file);
    unsigned int count = 0;
    kfsSimpleType type = kfsQuery(file, &count);
    if (type == kfsTypeUnknown) break;
    std::printf("%6lld  ", offset);
    if (type == kfsTypeBlock) {
      unsigned int records = 0;
      kfsLblock block = nullptr;
      int id = kfsLblockRead(file, &records, &block);
      std::printf("block %d, %u record%s\n", id, records, records == 1 ? "" : "s");
      for (kfsLblock node = block; node; node = node->next)
        PrintRecord("          ", node->type, node->count, node->data);
      kfsLblockFree(&block);
    } else {
      void* data = kfsLrecReadAlloc(file, &type, &count);
      if (!data) break;
      PrintRecord("", type, count, data);
      kfsLrecFree(&data);
    }
    ++items;
  }
  unsigned int status = kfsGetError(file);
  std::printf("%d items read, %s\n", items, status == kfsEndOfFile ? "end of file" : "error");
  kfsFileClose(&file);
  return status == kfsEndOfFile;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!KvCreateFolder(folder.c_str())) return 1;
  const std::string path = folder + "demo.kfs";
  std::printf("koracore container demo (container version %u)\n", kfsGetVersionCurrent());
  if (!WriteDemo(path)) {
    std::fprintf(stderr, "koracore-demo: cannot write %s\n", path.c_str());
    return 1;
  }
  if (!ReadDemo(path)) {
    std::fprintf(stderr, "koracore-demo: cannot read %s back\n", path.c_str());
    return 1;
  }
  return 0;
}
