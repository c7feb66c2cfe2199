#include "rcf/Document.h"

namespace rcf {

Node::~Node() = default;

Group* Group::AddSection(const std::string& sectionName) {
  auto section = std::make_unique<Group>(Kind::Section, sectionName, this);
  Group* raw = section.get();
  items.push_back(std::move(section));
  sections.Add(raw);
  return raw;
}

Keyword* Group::AddKeyword(const std::string& keywordName) {
  auto keyword = std::make_unique<Keyword>(keywordName, this);
  Keyword* raw = keyword.get();
  items.push_back(std::move(keyword));
  keywords.Add(raw);
  return raw;
}

Group* Document::AddTarget(const std::string& targetName) {
  owned.push_back(std::make_unique<Group>(Kind::Target, targetName, this));
  Group* raw = owned.back().get();
  targets.Add(raw);
  return raw;
}

int InstancesOf(const Node* element) {
  if (!element) return 0;
  switch (element->kind) {
    case Kind::Target: {
      const auto* target = static_cast<const Group*>(element);
      return static_cast<const Document*>(target->parent)->targets.CountOf(target->name);
    }
    case Kind::Section: {
      const auto* section = static_cast<const Group*>(element);
      return static_cast<const Group*>(section->parent)->sections.CountOf(section->name);
    }
    case Kind::Keyword: {
      const auto* keyword = static_cast<const Keyword*>(element);
      return static_cast<const Group*>(keyword->parent)->keywords.CountOf(keyword->name);
    }
    default:
      return 0;
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
