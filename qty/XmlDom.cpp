#include "qty/XmlDom.h"

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/XMLPScanToken.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/EntityResolver.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLString.hpp>

#include <memory>

#include "qty/CXPath.h"

XERCES_CPP_NAMESPACE_USE

namespace MSXML2 {

namespace {

// Counts fatal errors only: a document that is not well-formed is refused,
// while the validation errors that a grammar-less table always raises are
// ignored.
class FatalErrorCounter : public ErrorHandler {
 public:
  void warning(const SAXParseException&) override {}
  void error(const SAXParseException&) override {}
  void fatalError(const SAXParseException&) override { ++m_count; }
  void resetErrors() override { m_count = 0; }
  int Count() const { return m_count; }

 private:
  int m_count = 0;
};

// Every external DTD or entity reads as empty: loading a table never opens
// another file or a network connection.
class EmptyEntityResolver : public EntityResolver {
 public:
  InputSource* resolveEntity(const XMLCh* const, const XMLCh* const) override {
    static const XMLByte nothing[1] = {0};
    return new MemBufInputSource(nothing, 0, "empty-entity");
  }
};

// Entity expansions allowed in one document; the table needs none.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

// Counts open elements. The parser keeps state for every open level and
// looks through all of them for each new element, so a document of a few
// megabytes nested a million deep would take minutes and hundreds of
// megabytes; the parse is driven a token at a time and given up as soon as
// the nesting passes kMaxElementDepth. (An empty element's end is reported
// from inside its start, so the two always pair up.)
class DepthLimitedParser : public XercesDOMParser {
 public:
  void startElement(const XMLElementDecl& decl, const unsigned int uriId, const XMLCh* const prefix,
                    const RefVectorOf<XMLAttr>& attributes, const XMLSize_t count,
                    const bool isEmpty, const bool isRoot) override {
    if (++m_depth > kMaxElementDepth) m_tooDeep = true;
    XercesDOMParser::startElement(decl, uriId, prefix, attributes, count, isEmpty, isRoot);
  }
  void endElement(const XMLElementDecl& decl, const unsigned int uriId, const bool isRoot,
                  const XMLCh* const prefix) override {
    --m_depth;
    XercesDOMParser::endElement(decl, uriId, isRoot, prefix);
  }
  bool TooDeep() const { return m_tooDeep; }

  // Parses the whole file; false when it was given up for its depth.
  bool ParseWithinDepth(const char* path) {
    XMLPScanToken token;
    if (!parseFirst(path, token)) return !m_tooDeep;
    while (!m_tooDeep && parseNext(token)) {}
    if (m_tooDeep) parseReset(token);
    return !m_tooDeep;
  }

 private:
  int m_depth = 0;
  bool m_tooDeep = false;
};

// A node passes when its name is the tag (or the tag is "*") and, unless both
// attribute name and value are empty or "*", it has an attribute matching
// both.
bool IsWild(const CString& text) { return text.IsEmpty() || text == "*"; }

bool CheckNode(const DOMNode* node, const CString& tag, const CString& attrName,
               const CString& attrValue) {
  if (!IsWild(tag) && IXMLDOMNode::wide2cstr(node->getNodeName()) != tag) return false;
  if (IsWild(attrName) && IsWild(attrValue)) return true;
  const DOMNamedNodeMap* attributes = node->getAttributes();
  if (!attributes) return false;
  for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
    const DOMNode* attribute = attributes->item(i);
    if (!IsWild(attrName) && IXMLDOMNode::wide2cstr(attribute->getNodeName()) != attrName) continue;
    if (!IsWild(attrValue) && IXMLDOMNode::wide2cstr(attribute->getNodeValue()) != attrValue)
      continue;
    return true;
  }
  return false;
}

void CollectMatches(const DOMNode* parent, const std::vector<CString>& tags, size_t level,
                    const CString& attrName, const CString& attrValue, IXMLDOMRawNodeList& out) {
  for (DOMNode* child = parent->getFirstChild(); child; child = child->getNextSibling()) {
    if (!CheckNode(child, tags[level], attrName, attrValue)) continue;
    if (level + 1 == tags.size()) {
      out.push_back(child);
    } else if (child->hasChildNodes()) {
      CollectMatches(child, tags, level + 1, attrName, attrValue, out);
    }
  }
}

}  // namespace

namespace {

// Xerces counts its initialisations and does the work on the first one
// only. An Initialize that throws part way (memory ran out) has counted
// itself already, so every later one would return at once and leave the
// parser without its memory manager; and a Terminate on that half-made
// state crashes. Xerces is therefore started once per process and kept
// (its static data stays until exit): the sessions of the loads then only
// count, which cannot fail. A process whose start failed does not try
// again - its loads fail cleanly.
enum class XercesStart { eNotTried, eStarted, eFailed };
XercesStart g_xercesStart = XercesStart::eNotTried;

bool XercesStarted() {
  if (g_xercesStart == XercesStart::eNotTried) {
    try {
      XMLPlatformUtils::Initialize();
      g_xercesStart = XercesStart::eStarted;
    } catch (...) {
      g_xercesStart = XercesStart::eFailed;
    }
  }
  return g_xercesStart == XercesStart::eStarted;
}

}  // namespace

CXercesSession::CXercesSession() {
  if (!XercesStarted()) return;
  try {
    XMLPlatformUtils::Initialize();
    m_ok = true;
  } catch (...) {
    m_ok = false;
  }
}

CXercesSession::~CXercesSession() {
  if (m_ok) XMLPlatformUtils::Terminate();
}

CString IXMLDOMNode::wide2cstr(const char16_t* text) {
  if (!text || !*text) return CString();
  TranscodeToStr utf8(text, "UTF-8");
  return CString(reinterpret_cast<const char*>(utf8.str()), static_cast<int>(utf8.length()));
}

CSmartPtr<IXMLDOMNodeList> IXMLDOMNode::selectNodes(const CString& path) const {
  CXPath xpath(path);
  xpath.Parse();
  const std::vector<CString> tags = xpath.GetTags();
  IXMLDOMRawNodeList nodes;
  if (m_node && !tags.empty()) {
    CollectMatches(m_node, tags, 0, xpath.GetToken(CXPathElement::eAttributeName),
                   xpath.GetToken(CXPathElement::eAttributeValue), nodes);
  }
  return CSmartPtr<IXMLDOMNodeList>(new IXMLDOMNodeList(std::move(nodes)));
}

CSmartPtr<IXMLDOMNamedNodeMap> IXMLDOMNode::getattributes() const {
  return CSmartPtr<IXMLDOMNamedNodeMap>(
      new IXMLDOMNamedNodeMap(m_node ? m_node->getAttributes() : nullptr));
}

CString IXMLDOMNode::gettext() const {
  return m_node ? wide2cstr(m_node->getNodeValue()) : CString();
}

CString IXMLDOMNode::getname() const {
  return m_node ? wide2cstr(m_node->getNodeName()) : CString();
}

CSmartPtr<IXMLDOMNode> IXMLDOMNodeList::Getitem(long i) const {
  if (i < 0 || i >= getlength()) return CSmartPtr<IXMLDOMNode>();
  return CSmartPtr<IXMLDOMNode>(new IXMLDOMNode(m_nodes[static_cast<size_t>(i)]));
}

CSmartPtr<IXMLDOMNode> IXMLDOMNamedNodeMap::getNamedItem(const CString& name) const {
  if (!m_map) return CSmartPtr<IXMLDOMNode>();
  for (XMLSize_t i = 0; i < m_map->getLength(); ++i) {
    DOMNode* attribute = m_map->item(i);
    if (IXMLDOMNode::wide2cstr(attribute->getNodeName()) == name) {
      return CSmartPtr<IXMLDOMNode>(new IXMLDOMNode(attribute));
    }
  }
  return CSmartPtr<IXMLDOMNode>();
}

IXMLDOMDocument::IXMLDOMDocument() = default;

IXMLDOMDocument::~IXMLDOMDocument() { Clear(); }

void IXMLDOMDocument::Clear() {
  if (m_document) m_document->release();
  m_document = nullptr;
  delete m_parser;
  m_parser = nullptr;
}

bool IXMLDOMDocument::load(const CString& path) {
  Clear();
  FatalErrorCounter errors;
  EmptyEntityResolver resolver;
  SecurityManager security;
  security.setEntityExpansionLimit(kEntityExpansionLimit);
  auto parser = std::make_unique<DepthLimitedParser>();
  // No validation: the table has no grammar, and a validating parser
  // fetches whatever external DTD a file names (and Xerces 3.2 leaks
  // memory doing so).
  parser->setValidationScheme(XercesDOMParser::Val_Never);
  parser->setLoadExternalDTD(false);
  parser->setDoNamespaces(true);
  parser->setErrorHandler(&errors);
  parser->setEntityResolver(&resolver);
  parser->setSecurityManager(&security);
  bool withinDepth = false;
  try {
    withinDepth = parser->ParseWithinDepth(path.GetString());
  } catch (...) {
    return false;
  }
  // The handlers live on this stack frame only.
  parser->setErrorHandler(nullptr);
  parser->setEntityResolver(nullptr);
  parser->setSecurityManager(nullptr);
  DOMDocument* document = parser->adoptDocument();
  if (!document || !withinDepth || errors.Count() > 0 || !document->getDocumentElement()) {
    if (document) document->release();
    return false;
  }
  m_parser = parser.release();
  m_document = document;
  return true;
}

CSmartPtr<IXMLDOMNode> IXMLDOMDocument::selectSingleNode(const CString& path) const {
  if (!m_document) return CSmartPtr<IXMLDOMNode>();
  CXPath xpath(path);
  xpath.Parse();
  const std::vector<CString> tags = xpath.GetTags();
  if (tags.empty()) return CSmartPtr<IXMLDOMNode>();
  const CString attrName = xpath.GetToken(CXPathElement::eAttributeName);
  const CString attrValue = xpath.GetToken(CXPathElement::eAttributeValue);
  TranscodeFromStr tagName(reinterpret_cast<const XMLByte*>(tags[0].GetString()),
                           static_cast<XMLSize_t>(tags[0].GetLength()), "UTF-8");
  DOMNodeList* elements = m_document->getElementsByTagName(tagName.str());
  for (XMLSize_t i = 0; elements && i < elements->getLength(); ++i) {
    DOMNode* element = elements->item(i);
    if (CheckNode(element, tags[0], attrName, attrValue))
      return CSmartPtr<IXMLDOMNode>(new IXMLDOMNode(element));
  }
  return CSmartPtr<IXMLDOMNode>();
}

}  // namespace MSXML2
