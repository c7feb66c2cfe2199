#include "qty/CXPath.h"

namespace {
const char kDelimiters[] = "/*[]@\"=";
}

void CXPath::Parse() {
  m_elements.clear();
  int next = 0;
  int searchFrom = 0;
  for (;;) {
    const CString token = m_path.Tokenize(kDelimiters, next);
    if (next == -1) break;
    const int at = m_path.Find(token.GetString(), searchFrom);
    if (at < 0) break;
    searchFrom = at + token.GetLength();
    const char before = at == 0 ? '/' : m_path[at - 1];
    if (before == '/') {
      m_elements.emplace_back(CXPathElement::eTagName, token);
    } else if (before == '@') {
      m_elements.emplace_back(CXPathElement::eAttributeName, token);
    } else if (before == '"') {
      m_elements.emplace_back(CXPathElement::eAttributeValue, token);
    }
  }
}

CString CXPath::GetToken(CXPathElement::Type type) const {
  for (const CXPathElement& element : m_elements) {
    if (element.GetType() == type) return element.GetText();
  }
  return CString();
}

int CXPath::GetTagDepth() const {
  int depth = 0;
  for (const CXPathElement& element : m_elements) {
    if (element.GetType() == CXPathElement::eTagName) ++depth;
  }
  return depth;
}

CString CXPath::GetTag(int i) const {
  if (i < 0 || i >= static_cast<int>(m_elements.size())) return CString();
  return m_elements[static_cast<size_t>(i)].GetText();
}

std::vector<CString> CXPath::GetTags() const {
  std::vector<CString> tags;
  for (const CXPathElement& element : m_elements) {
    if (element.GetType() == CXPathElement::eTagName) tags.push_back(element.GetText());
  }
  return tags;
}
