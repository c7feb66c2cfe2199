/* CKvBufferList: a list of recently used projection strings, most recent
 * first as the caller keeps it.
 *
 * Entries are found by their display name (CKvPRJParser::ShortName), so the
 * well-known text and the name of one definition count as one entry.
 *
 * Usage:
 *   CKvBufferList recent;
 *   if (recent.FindMapProjection(text) == recent.end()) recent.push_front(text);
 *   recent.TruncateToSize(1, 10);   // keep ten projected systems
 */
#ifndef KVCART_FACADE_CKVBUFFERLIST_H
#define KVCART_FACADE_CKVBUFFERLIST_H

#include <list>

#include "KvCart/KvCart_api.h"
#include "base/CString.h"

class KVCART_API CKvBufferList : public std::list<CString> {
 public:
  CKvBufferList() = default;
  CKvBufferList(const CKvBufferList&) = default;
  CKvBufferList& operator=(const CKvBufferList&) = default;
  virtual ~CKvBufferList();

  // The first entry with the same display name as the text (byte-wise), or end().
  iterator FindMapProjection(const char* text);
  // Counting from the front the entries that pass CKvMapProjection::IsType
  // (mask, entry), erases everything after the one that makes the count n.
  // Entries that do not pass stay where they are before that cut. With
  // n <= 0 the first passing entry goes too.
  void TruncateToSize(int mask, int n);
};

#endif
