// Finding targets, sections, keywords and parameters.
#include "rcf/Handles.h"
#include "rcf/rcf.h"

using rcf::AsDocument;
using rcf::AsGroup;
using rcf::AsKeyword;
using rcf::AsTarget;
using rcf::ToHandle;

namespace {
// A null name finds nothing.
bool Named(RcfName name) { return name.get() != nullptr; }
}  // namespace

int rcfGetNoTargets(void* doc) {
  const rcf::Document* d = AsDocument(doc);
  return d ? d->Targets().Count() : 0;
}

void* rcfTargetByNum(void* doc, int i) {
  const rcf::Document* d = AsDocument(doc);
  return d ? ToHandle(d->Targets().ByNum(i)) : nullptr;
}

void* rcfTargetByNameNum(void* doc, RcfName name, int n) {
  const rcf::Document* d = AsDocument(doc);
  return d && Named(name) ? ToHandle(d->Targets().ByNameNum(name.get(), n)) : nullptr;
}

int rcfGetNoSections(void* target) {
  const rcf::Group* t = AsTarget(target);
  return t ? t->Sections().Count() : 0;
}

void* rcfSectionByNum(void* target, int i) {
  const rcf::Group* t = AsTarget(target);
  return t ? ToHandle(t->Sections().ByNum(i)) : nullptr;
}

void* rcfSectionByNameNum(void* target, RcfName name, int n) {
  const rcf::Group* t = AsTarget(target);
  return t && Named(name) ? ToHandle(t->Sections().ByNameNum(name.get(), n)) : nullptr;
}

int rcfGetNoKeywords(void* targetOrSection) {
  const rcf::Group* g = AsGroup(targetOrSection);
  return g ? g->Keywords().Count() : 0;
}

void* rcfKeywordByNum(void* targetOrSection, int i) {
  const rcf::Group* g = AsGroup(targetOrSection);
  return g ? ToHandle(g->Keywords().ByNum(i)) : nullptr;
}

void* rcfKeywordByNameNum(void* targetOrSection, RcfName name, int n) {
  const rcf::Group* g = AsGroup(targetOrSection);
  return g && Named(name) ? ToHandle(g->Keywords().ByNameNum(name.get(), n)) : nullptr;
}

int rcfGetNoInstances(void* element) { return rcf::InstancesOf(rcf::AnyNode(element)); }

const char* rcfGetName(void* element) {
  if (const rcf::Group* g = AsGroup(element)) return g->Name().c_str();
  if (const rcf::Keyword* k = AsKeyword(element)) return k->Name().c_str();
  return "";
}

int rcfGetNoParams(void* keyword) {
  const rcf::Keyword* k = AsKeyword(keyword);
  return k ? static_cast<int>(k->Params().size()) : 0;
}

void* rcfParamByNum(void* keyword, int i) {
  const rcf::Keyword* k = AsKeyword(keyword);
  if (!k || i < 1 || i > static_cast<int>(k->Params().size())) return nullptr;
  return ToHandle(k->Params()[static_cast<size_t>(i - 1)].get());
}
