#include "rcf/Document.h"

namespace rcf {

Node::~Node() = default;

namespace {

// Puts a new element into its owner and its index under name, or into
// neither.
template <class Owned, class Element, class Index>
Element* Attach(std::vector<std::unique_ptr<Owned>>& owner, std::unique_ptr<Element> element,
                const std::string& name, Index& index) {
  Element* raw = element.get();
  owner.push_back(std::move(element));
  try {
    index.Add(name, raw);
  } catch (...) {
    owner.pop_back();
    throw;
  }
  return raw;
}

}  // namespace

Group* Group::AddSection(const std::string& sectionName) {
  return Attach(m_items, std::make_unique<Group>(Kind::Section, sectionName, this), sectionName,
                m_sections);
}

Keyword* Group::AddKeyword(const std::string& keywordName, std::unique_ptr<Param> first) {
  auto keyword = std::make_unique<Keyword>(keywordName, this);
  if (first) keyword->AddParam(std::move(first));
  return Attach(m_items, std::move(keyword), keywordName, m_keywords);
}

Group* Document::AddTarget(const std::string& targetName) {
  return Attach(m_owned, std::make_unique<Group>(Kind::Target, targetName, this), targetName,
                m_targets);
}

Group* Document::BeginTarget(const std::string& targetName) {
  m_currentTarget = AddTarget(targetName);
  m_openSection = nullptr;
  return m_currentTarget;
}

Group* Document::BeginSection(const std::string& sectionName) {
  m_openSection = m_currentTarget->AddSection(sectionName);
  return m_openSection;
}

int InstancesOf(const Node* element) {
  if (!element) return 0;
  switch (element->NodeKind()) {
    case Kind::Target: {
      const auto* target = static_cast<const Group*>(element);
      return static_cast<const Document*>(target->Parent())->Targets().CountOf(target->Name());
    }
    case Kind::Section: {
      const auto* section = static_cast<const Group*>(element);
      return static_cast<const Group*>(section->Parent())->Sections().CountOf(section->Name());
    }
    case Kind::Keyword: {
      const auto* keyword = static_cast<const Keyword*>(element);
      return static_cast<const Group*>(keyword->Parent())->Keywords().CountOf(keyword->Name());
    }
    default: return 0;
  }
}

bool IsValidName(const std::string& name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}

bool IsWritableText(const char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7f) return false;
  }
  return true;
}

}  // namespace rcf
