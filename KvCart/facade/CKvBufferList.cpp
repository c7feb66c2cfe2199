#include "KvCart/facade/CKvBufferList.h"

#include <iterator>

#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/text/CKvPRJParser.h"

CKvBufferList::~CKvBufferList() = default;

CKvBufferList::iterator CKvBufferList::FindMapProjection(const char* text) {
  const CString wanted = CKvPRJParser::ShortName(CString(text));
  for (auto it = begin(); it != end(); ++it) {
    if (CKvPRJParser::ShortName(*it) == wanted) return it;
  }
  return end();
}

void CKvBufferList::TruncateToSize(int mask, int n) {
  int count = 0;
  for (auto it = begin(); it != end(); ++it) {
    if (!CKvMapProjection::IsType(mask, it->GetString())) continue;
    if (n <= 0) {
      erase(it, end());
      return;
    }
    if (++count == n) {
      erase(std::next(it), end());
      return;
    }
  }
}
