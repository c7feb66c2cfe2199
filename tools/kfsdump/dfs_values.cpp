#include "dfs_values.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "command_line.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"

namespace kfsdump {

namespace {

constexpr long long kLargestExpandedStep = 1LL << 31;

template <class T>
T Read(const unsigned char* bytes, size_t i) {
  T value;
  std::memcpy(&value, bytes + i * sizeof(T), sizeof(T));
  return value;
}

}  // namespace

ItemValues::ItemValues(LPHEAD header, int type, size_t count)
    : m_deleteFloat(dfsGetDeleteValFloat(header)),
      m_deleteDouble(dfsGetDeleteValDouble(header)),
      m_deleteByte(dfsGetDeleteValByte(header)),
      m_deleteInt(dfsGetDeleteValInt(header)),
      m_deleteUnsigned(dfsGetDeleteValUnsignedInt(header)),
      m_type(type),
      m_count(count),
      m_bytes(count * kfsSimpSize(type) + 1) {}  // +1: a valid pointer for no values

double ItemValues::At(size_t i) const {
  const unsigned char* bytes = m_bytes.data();
  switch (m_type) {
    case kfsTypeFloat: return Read<float>(bytes, i);
    case kfsTypeDouble: return Read<double>(bytes, i);
    case kfsTypeByte: return Read<unsigned char>(bytes, i);
    case kfsTypeInt4: return Read<int>(bytes, i);
    case kfsTypeUInt4: return Read<unsigned int>(bytes, i);
    case kfsTypeInt2: return Read<short>(bytes, i);
    case kfsTypeUInt2: return Read<unsigned short>(bytes, i);
    default: return 0.0;
  }
}

bool ItemValues::IsMissing(size_t i) const {
  const unsigned char* bytes = m_bytes.data();
  switch (m_type) {
    case kfsTypeFloat: return Read<float>(bytes, i) == m_deleteFloat;
    case kfsTypeDouble: return Read<double>(bytes, i) == m_deleteDouble;
    case kfsTypeByte: return Read<unsigned char>(bytes, i) == m_deleteByte;
    case kfsTypeInt4: return Read<int>(bytes, i) == m_deleteInt;
    case kfsTypeUInt4: return Read<unsigned>(bytes, i) == m_deleteUnsigned;
    default: return false;
  }
}

std::string ItemValues::Text(size_t i) const {
  if (IsMissing(i)) return std::string();
  if (m_type != kfsTypeFloat) return tools::NumberText(At(i));
  const float value = Read<float>(m_bytes.data(), i);
  if (!std::isfinite(value)) return tools::NumberText(value);
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

tools::Report ItemValues::Summary() const {
  long long present = 0;
  double lowest = 0.0, highest = 0.0;
  for (size_t i = 0; i < m_count; ++i) {
    if (IsMissing(i)) continue;
    const double value = At(i);
    if (present == 0 || value < lowest) lowest = value;
    if (present == 0 || value > highest) highest = value;
    ++present;
  }
  tools::Report summary = tools::Report::Object();
  summary.Set("values", present).Set("missing", static_cast<long long>(m_count) - present);
  if (present > 0 && m_type == kfsTypeFloat) {
    summary.Set("minimum", static_cast<float>(lowest)).Set("maximum", static_cast<float>(highest));
  } else if (present > 0) {
    summary.Set("minimum", lowest).Set("maximum", highest);
  }
  return summary;
}

std::unique_ptr<ItemValues> StepValues(LPHEAD header, int number, long long fileSize) {
  LPITEM item = dfsItemD(header, number);
  int dataType = 0;
  dfsGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &dataType);
  const long long bytes = dfsGetItemBytes(item);
  const long long limit = dfsIsFileCompressed(header) ? kLargestExpandedStep : fileSize;
  if (bytes < 0 || bytes > limit) {
    throw tools::Failure("item " + std::to_string(number) + " claims " + std::to_string(bytes) +
                         " bytes per step, more than the file holds");
  }
  return std::make_unique<ItemValues>(header, dataType,
                                      static_cast<size_t>(dfsGetItemElements(item)));
}

}  // namespace kfsdump
