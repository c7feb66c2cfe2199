/* CKvMapProjectionInfo: the name of one projection, as a list of choices
 * hands it to a caller.
 *
 * Usage:
 *   CKvMapProjectionInfo info("UTM-32");
 *   std::string name = info.GetMapProjection();
 */
#ifndef KVCART_CORE_CKVMAPPROJECTIONINFO_H
#define KVCART_CORE_CKVMAPPROJECTIONINFO_H

#include <string>

#include "KvCart/KvCart_api.h"

class KVCART_API CKvMapProjectionInfo {
 public:
  explicit CKvMapProjectionInfo(const std::string& name) : m_name(name) {}
  CKvMapProjectionInfo(const CKvMapProjectionInfo&) = default;
  CKvMapProjectionInfo& operator=(const CKvMapProjectionInfo&) = default;
  virtual ~CKvMapProjectionInfo();

  std::string GetMapProjection() const { return m_name; }

 private:
  std::string m_name;
};

#endif
