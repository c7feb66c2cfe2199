// Writes container files through the library and prints, as JSON, what it
// wrote: the independent reader tools/kfsdump.py must read back the same.
//
//   kfsdump_sample write DIR     creates DIR/sample.kfs
//   kfsdump_sample append FILE   opens FILE for edit and appends to it
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file_io.h"

namespace {

std::string g_items;  // JSON of the items written, in order

void AddItem(const std::string& json) {
  if (!g_items.empty()) g_items += ",\n";
  g_items += json;
}

template <typename T>
std::string RecordJson(int type, const std::vector<T>& values) {
  std::string json = "{\"item\": \"record\", \"type\": " + std::to_string(type) +
                     ", \"count\": " + std::to_string(values.size()) + ", \"values\": [";
  for (size_t i = 0; i < values.size(); ++i) {
    char text[40];
    if constexpr (std::is_floating_point_v<T>) {
      std::snprintf(text, sizeof text, "%.17g", static_cast<double>(values[i]));
      // JSON reads "-0" as the integer 0: keep it a number with a sign.
      if (!std::strpbrk(text, ".en")) std::strcat(text, ".0");
    } else
      std::snprintf(text, sizeof text, "%" PRId64, static_cast<int64_t>(values[i]));
    json += (i ? ", " : "") + std::string(text);
  }
  return json + "]}";
}

template <typename T>
bool Write(kfsHandle file, int type, const std::vector<T>& values) {
  AddItem(RecordJson(type, values));
  return kfsLrecWrite(file, type, static_cast<unsigned>(values.size()), values.data()) == 0;
}

template <typename T>
std::string AddToBlock(kfsLblock* block, int type, const std::vector<T>& values) {
  kfsLblock node =
      kfsLblockAdd(type, static_cast<unsigned>(values.size()), values.data(), 1, *block);
  if (!*block) *block = node;
  return RecordJson(type, values);
}

bool WriteItems(kfsHandle file, int salt) {
  std::vector<double> many(3000);
  for (size_t i = 0; i < many.size(); ++i) many[i] = (static_cast<double>(i) + salt) / 7.0;
  bool ok = Write<double>(file, kfsTypeDouble, {0.1, -1e-300, 1.7976931348623157e308, -0.0}) &&
            Write<float>(file, kfsTypeFloat, {1.5f, -3.4028235e38f, 1e-45f}) &&
            Write<uint8_t>(file, kfsTypeByte, {0, 127, 128, 255, static_cast<uint8_t>(salt)}) &&
            Write<int32_t>(file, kfsTypeInt4, {-2147483647 - 1, 2147483647, salt}) &&
            Write<uint32_t>(file, kfsTypeUInt4, {0u, 4294967295u}) &&
            Write<int16_t>(file, kfsTypeInt2, {-32768, 32767, -1}) &&
            Write<uint16_t>(file, kfsTypeUInt2, {65535, 0}) && Write(file, kfsTypeDouble, many);
  if (!ok) return false;
  kfsLblock block = nullptr;
  std::string records = AddToBlock<int32_t>(&block, kfsTypeInt4, {1, 2, salt});
  records += ", " + AddToBlock<float>(&block, kfsTypeFloat, {0.25f});
  records += ", " + AddToBlock<uint8_t>(&block, kfsTypeByte, {'a', 'b'});
  AddItem("{\"item\": \"block\", \"id\": 40000, \"records\": [" + records + "]}");
  ok = kfsLblockWrite(40000, file, block) == 0;
  kfsLblockFree(&block);
  AddItem("{\"item\": \"block\", \"id\": 0, \"records\": []}");
  AddItem("{\"item\": \"block\", \"id\": 65535, \"records\": []}");
  return ok && kfsLblockWrite(0, file, nullptr) == 0 && kfsLblockWrite(65535, file, nullptr) == 0;
}

void PrintResult(kfsHandle file) {
  std::printf(
      "{\"app_base\": %u, \"container_base\": %u, \"version_create\": %u,"
      " \"version_create_app\": %u, \"version_edit\": %u, \"version_edit_app\": %u,"
      " \"created\": {\"date\": \"%s\", \"time\": \"%s\"},"
      " \"edited\": {\"date\": \"%s\", \"time\": \"%s\"},\n\"items\": [\n%s]}\n",
      kfsGetAppBase(file), kfsGetKFSbase(file), kfsGetVersionCreate(file),
      kfsGetVersionCreateApp(file), kfsGetVersionEdit(file), kfsGetVersionEditApp(file),
      kfsGetFileCreationDate(file), kfsGetFileCreationTime(file), kfsGetFileEditDate(file),
      kfsGetFileEditTime(file), g_items.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kfsdump_sample write DIR | append FILE\n");
    return 2;
  }
  kfsHandle file = nullptr;
  if (std::strcmp(argv[1], "write") == 0) {
    std::string path = std::string(argv[2]) + "/sample.kfs";
    if (kfsFileOpenCreate(path.c_str(), "kfsdump check", &file, dfsAPIid, 0) != 0) return 1;
    if (!WriteItems(file, 1)) return 1;
  } else if (std::strcmp(argv[1], "append") == 0) {
    if (kfsFileOpenEdit(argv[2], &file, kfsInternalAPI, nullptr) != 0) return 1;
    if (kfsSeek64(file, 0, SEEK_END) != 0 || !WriteItems(file, 2)) return 1;
  } else {
    return 2;
  }
  PrintResult(file);
  return kfsFileClose(&file) == 0 ? 0 : 1;
}
