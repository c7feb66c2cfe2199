// CXPath: the small subset of XPath that the unit-table loader uses:
// "//Tag[@Attr=\"Value\"]" to find a group anywhere in a document and
// "A/B/..." to walk down from a node.
//
// Parse() splits the text at the delimiters / * [ ] @ " = and classifies
// each piece by the character just before it: start of text or "/" makes a
// tag name, "@" an attribute name, a double quote an attribute value;
// anything else drops the piece.
#ifndef QTY_CXPATH_H
#define QTY_CXPATH_H

#include <vector>

#include "base/CString.h"

class CXPathElement {
 public:
  enum Type { eTagName = 0, eAttributeName = 1, eAttributeValue = 2 };

  CXPathElement(Type type, const CString& text) : m_type(type), m_text(text) {}
  Type GetType() const { return m_type; }
  const CString& GetText() const { return m_text; }

 private:
  Type m_type;
  CString m_text;
};

class CXPath {
 public:
  explicit CXPath(const CString& path) : m_path(path) {}
  virtual ~CXPath() = default;

  void Parse();
  // Text of the first element of that type; empty when none.
  CString GetToken(CXPathElement::Type type) const;
  // Number of tag-name elements.
  int GetTagDepth() const;
  // Text of the i-th element of the list (0-based); empty past the end.
  CString GetTag(int i) const;
  // The tag names alone, in order.
  std::vector<CString> GetTags() const;

 private:
  CString m_path;
  std::vector<CXPathElement> m_elements;
};

#endif
