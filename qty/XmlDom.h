// A small DOM interface over Xerces-C, in the shape the unit-table loader
// was written against: a document that loads a file, nodes, node lists and
// attribute maps, all reference-counted (CSmartPtr).
//
// Texts come out as UTF-8 (CString), whatever the process locale.
//
// Loading is hardened for files from elsewhere: external DTDs and entities
// are never fetched (they read as empty), entity expansion is bounded, and a
// file that is not well-formed yields no document at all rather than the
// part read before the error. Documents are not validated: the table carries
// no grammar, and an external DTD named in a DOCTYPE is not read.
//
// Xerces must be initialised (XMLPlatformUtils::Initialize) while any object
// of this layer lives; CXercesSession does that for a scope.
#ifndef QTY_XMLDOM_H
#define QTY_XMLDOM_H

#include <xercesc/util/XercesDefs.hpp>

#include <vector>

#include "base/CString.h"
#include "qty/CSmartPtr.h"

XERCES_CPP_NAMESPACE_BEGIN
class DOMNode;
class DOMNamedNodeMap;
class DOMDocument;
class XercesDOMParser;
XERCES_CPP_NAMESPACE_END

namespace MSXML2 {

// Initialises Xerces for its lifetime. Initialized() is false when the
// platform failed to start; the layer then loads nothing.
class CXercesSession {
 public:
  CXercesSession();
  ~CXercesSession();
  CXercesSession(const CXercesSession&) = delete;
  CXercesSession& operator=(const CXercesSession&) = delete;
  bool Initialized() const { return m_ok; }

 private:
  bool m_ok = false;
};

class IXMLDOMNodeList;
class IXMLDOMNamedNodeMap;

class IXMLDOMNode : public CSmartPtrAble {
 public:
  explicit IXMLDOMNode(XERCES_CPP_NAMESPACE::DOMNode* node) : m_node(node) {}

  // All descendants matching the relative path "A/B/...", in document order.
  CSmartPtr<IXMLDOMNodeList> selectNodes(const CString& path) const;
  // The element's attributes (an empty map when it has none).
  CSmartPtr<IXMLDOMNamedNodeMap> getattributes() const;
  // The node's value (an attribute's value); empty when it has none.
  CString gettext() const;
  CString getname() const;

  static CString wide2cstr(const char16_t* text);

  XERCES_CPP_NAMESPACE::DOMNode* node() const { return m_node; }

 private:
  XERCES_CPP_NAMESPACE::DOMNode* m_node;
};

using IXMLDOMRawNodeList = std::vector<XERCES_CPP_NAMESPACE::DOMNode*>;

class IXMLDOMNodeList : public CSmartPtrAble {
 public:
  explicit IXMLDOMNodeList(IXMLDOMRawNodeList nodes) : m_nodes(std::move(nodes)) {}
  long getlength() const { return static_cast<long>(m_nodes.size()); }
  // The i-th node (0-based); empty outside the list.
  CSmartPtr<IXMLDOMNode> Getitem(long i) const;

 private:
  IXMLDOMRawNodeList m_nodes;
};

class IXMLDOMNamedNodeMap : public CSmartPtrAble {
 public:
  explicit IXMLDOMNamedNodeMap(XERCES_CPP_NAMESPACE::DOMNamedNodeMap* map) : m_map(map) {}
  // The attribute with exactly that name; empty when absent.
  CSmartPtr<IXMLDOMNode> getNamedItem(const CString& name) const;

 private:
  XERCES_CPP_NAMESPACE::DOMNamedNodeMap* m_map;
};

// The deepest element nesting a document may have (the root element is at
// depth 1); a deeper document is refused by load. The unit table needs four.
constexpr int kMaxElementDepth = 64;

class IXMLDOMDocument : public CSmartPtrAble {
 public:
  IXMLDOMDocument();
  ~IXMLDOMDocument() override;

  // Parses the file; false when it is missing, not well-formed or nested
  // deeper than kMaxElementDepth.
  bool load(const CString& path);
  // The first element matching "//Tag[@Attr=\"Value\"]"; empty when none.
  CSmartPtr<IXMLDOMNode> selectSingleNode(const CString& path) const;

 private:
  void Clear();

  XERCES_CPP_NAMESPACE::XercesDOMParser* m_parser = nullptr;
  XERCES_CPP_NAMESPACE::DOMDocument* m_document = nullptr;
};

}  // namespace MSXML2

#endif
