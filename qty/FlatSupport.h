// Small helpers shared by the files of the flat interface.
#ifndef QTY_FLATSUPPORT_H
#define QTY_FLATSUPPORT_H

#include <cstdlib>
#include <cstring>
#include <string>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/QtyStatus.h"

namespace qty {

// Out pointers of the flat interface may be null.
template <class T, class V>
inline void Put(T* out, V value) {
  if (out) *out = static_cast<T>(value);
}

// Filter masks cross the interface as int but are 32 bits; keep them from
// sign-extending (the flyby bit 0x80000000 is a negative int).
inline long MaskBits(int mask) { return static_cast<long>(static_cast<unsigned int>(mask)); }

// A unit that values may be converted from or to: registered under a
// non-zero id.
inline const CKVunit* ConvertibleUnit(const CKVregistry& registry, int id) {
  if (id == 0) return nullptr;
  return registry.FindUnit(static_cast<long>(id));
}

// "ident1;ident2;..." of a list, newly allocated with malloc; nothing
// allocated when the list is empty or memory is short.
template <class List>
QtyStatus JoinIdents(const List& list, char** out) {
  if (!out) return QtyStatus::eArgument;
  if (list.empty()) return QtyStatus::eNotFound;
  std::string joined;
  for (const auto* entry : list) {
    joined += entry->GetIdent();
    joined += ';';
  }
  char* text = static_cast<char*>(std::malloc(joined.size() + 1));
  if (!text) return QtyStatus::eMemory;
  std::memcpy(text, joined.c_str(), joined.size() + 1);
  *out = text;
  return QtyStatus::eOk;
}

// Key comparison that accepts singular and plural: "meter" matches "meters"
// and the reverse.
inline bool KeyMatches(const std::string& key, const char* text) {
  const size_t n = std::strlen(text);
  if (key.size() == n) return key.compare(text) == 0;
  if (key.size() == n + 1) return key.back() == 's' && key.compare(0, n, text) == 0;
  if (key.size() + 1 == n)
    return text[n - 1] == 's' && key.compare(0, key.size(), text, key.size()) == 0;
  return false;
}

}  // namespace qty

#endif
