// Untyped handles <-> document nodes.
//
// Every handle given out is a Node* converted to void*, so converting back
// is exact; the kind tag then decides what the handle may be used as. A null
// or wrong-kind handle yields null here, and the entry points answer with
// null, 0 or RCF_ERR_ARGUMENT.
#ifndef KORACORE_RCF_HANDLES_H
#define KORACORE_RCF_HANDLES_H

#include "rcf/Document.h"

namespace rcf {

inline void* ToHandle(Node* node) { return node; }

inline Node* AnyNode(void* handle) { return static_cast<Node*>(handle); }

inline Document* AsDocument(void* handle) {
  Node* n = AnyNode(handle);
  return n && n->NodeKind() == Kind::Document ? static_cast<Document*>(n) : nullptr;
}

inline Group* AsTarget(void* handle) {
  Node* n = AnyNode(handle);
  return n && n->NodeKind() == Kind::Target ? static_cast<Group*>(n) : nullptr;
}

// A target or a section: both hold keywords.
inline Group* AsGroup(void* handle) {
  Node* n = AnyNode(handle);
  return n && (n->NodeKind() == Kind::Target || n->NodeKind() == Kind::Section)
             ? static_cast<Group*>(n)
             : nullptr;
}

inline Keyword* AsKeyword(void* handle) {
  Node* n = AnyNode(handle);
  return n && n->NodeKind() == Kind::Keyword ? static_cast<Keyword*>(n) : nullptr;
}

inline Param* AsParam(void* handle) {
  Node* n = AnyNode(handle);
  return n && n->NodeKind() == Kind::Param ? static_cast<Param*>(n) : nullptr;
}

}  // namespace rcf

#endif
