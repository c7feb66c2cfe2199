// The values of one item in one of the seven simple types, read as doubles,
// with the header's delete value of the type marking the missing ones.
#ifndef TOOLS_KFSDUMP_DFS_VALUES_H
#define TOOLS_KFSDUMP_DFS_VALUES_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "kfs/dfs/dfs_types.h"
#include "report.h"

namespace kfsdump {

class ItemValues {
 public:
  // Room for `count` values of simple type `type` (1..7).
  ItemValues(LPHEAD header, int type, size_t count);

  void* Data() { return m_bytes.data(); }
  size_t Count() const { return m_count; }
  double At(size_t i) const;
  // Equal to the header's delete value of the type (the 16-bit types have
  // none).
  bool IsMissing(size_t i) const;
  // The value in the shortest text that reads back to it in its own type
  // (a float as a float: "0.1", not "0.100000001"); empty when missing.
  std::string Text(size_t i) const;
  // {values, missing, minimum, maximum} over the values that are not missing.
  tools::Report Summary() const;

 private:
  // The delete values of the header, read once.
  float m_deleteFloat;
  double m_deleteDouble;
  unsigned char m_deleteByte;
  int m_deleteInt;
  unsigned int m_deleteUnsigned;
  int m_type;
  size_t m_count;
  std::vector<unsigned char> m_bytes;
};

// Room for one step of dynamic item `number`; tools::Failure when the step
// would take more bytes than a file of `fileSize` bytes can hold (a
// compressed file expands its steps to the whole grid, which its header
// alone describes: up to 2 GiB is read then).
std::unique_ptr<ItemValues> StepValues(LPHEAD header, int number, long long fileSize);

}  // namespace kfsdump

#endif
