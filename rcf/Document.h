// The in-memory parameter document.
//
// Document -> targets -> sections and keywords (in file order) -> parameters.
// Targets and sections share one type, Group: both hold keywords, and only a
// target ever holds sections. Every element is reached from C++ callers
// through an untyped handle; the kind tag lets each entry point refuse a
// handle of the wrong kind instead of misreading it.
#ifndef KORACORE_RCF_DOCUMENT_H
#define KORACORE_RCF_DOCUMENT_H

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace rcf {

// Distinctive values, so that a stray pointer is unlikely to pass as a node.
enum class Kind : std::uint32_t {
  Document = 0x72634644,  // "rcFD"
  Target = 0x72634654,
  Section = 0x72634653,
  Keyword = 0x7263464b,
  Param = 0x72634650,
};

class Node {
 public:
  explicit Node(Kind k) : m_kind(k) {}
  virtual ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  // Checked before every downcast of a handle; fixed at construction.
  Kind NodeKind() const { return m_kind; }

 private:
  Kind m_kind;
};

enum class ParamType { Text = 1, Integer = 2, Number = 3 };

// One value as read or put: a plain record that the parser and the building
// calls fill in place.
struct Param : Node {
  Param() : Node(Kind::Param) {}
  ParamType type = ParamType::Text;
  std::string text;     // the text itself, or the number as written
  int integer = 0;      // Integer only
  double number = 0.0;  // Integer and Number
};

class Keyword : public Node {
 public:
  Keyword(std::string n, Node* p) : Node(Kind::Keyword), m_name(std::move(n)), m_parent(p) {}
  const std::string& Name() const { return m_name; }
  Node* Parent() const { return m_parent; }  // the target or section holding it
  const std::vector<std::unique_ptr<Param>>& Params() const { return m_params; }
  void AddParam(std::unique_ptr<Param> param) { m_params.push_back(std::move(param)); }

 private:
  std::string m_name;
  Node* m_parent;
  std::vector<std::unique_ptr<Param>> m_params;
};

// Elements in order of addition, with their instances by name.
template <class T>
class NamedList {
 public:
  void Add(const std::string& name, T* element);
  int Count() const { return static_cast<int>(all_.size()); }
  int CountOf(const std::string& name) const;
  T* ByNum(int i) const;                               // from 1
  T* ByNameNum(const std::string& name, int n) const;  // from 1
  const std::vector<T*>& All() const { return all_; }

 private:
  std::vector<T*> all_;
  std::unordered_map<std::string, std::vector<T*>> byName_;
};

// A target or a section: its keywords and, for a target, its sections, in
// the order they were added.
class Group : public Node {
 public:
  Group(Kind k, std::string name, Node* parent)
      : Node(k), m_name(std::move(name)), m_parent(parent) {}

  const std::string& Name() const { return m_name; }
  Node* Parent() const { return m_parent; }  // the document of a target, the target of a section
  const std::vector<std::unique_ptr<Node>>& Items() const { return m_items; }
  const NamedList<Group>& Sections() const { return m_sections; }
  const NamedList<Keyword>& Keywords() const { return m_keywords; }

  // Each add is whole or nothing: an element that cannot be indexed (memory
  // ran out) is not left half-added.
  Group* AddSection(const std::string& sectionName);
  // A new keyword, holding `first` when given.
  Keyword* AddKeyword(const std::string& keywordName, std::unique_ptr<Param> first = nullptr);

 private:
  std::string m_name;
  Node* m_parent;
  std::vector<std::unique_ptr<Node>> m_items;  // sections and keywords in order; owns them
  NamedList<Group> m_sections;
  NamedList<Keyword> m_keywords;
};

// The targets of a parameter file, and where the building calls of the flat
// interface add: the last target, and the section open in it.
class Document : public Node {
 public:
  Document() : Node(Kind::Document) {}

  const NamedList<Group>& Targets() const { return m_targets; }
  Group* AddTarget(const std::string& targetName);

  Group* CurrentTarget() const { return m_currentTarget; }
  Group* OpenSection() const { return m_openSection; }
  // Adds a target and makes it the current one, with no section open.
  Group* BeginTarget(const std::string& targetName);
  // Opens a section in the current target. REQUIRES: CurrentTarget().
  Group* BeginSection(const std::string& sectionName);
  void EndSection() { m_openSection = nullptr; }

 private:
  std::vector<std::unique_ptr<Group>> m_owned;
  NamedList<Group> m_targets;
  Group* m_currentTarget = nullptr;
  Group* m_openSection = nullptr;
};

// How many elements of its parent share the name of a target, section or
// keyword; 0 for anything else.
int InstancesOf(const Node* element);

// Names of targets, sections and keywords: letters, digits, '_', '-', '.'.
bool IsValidName(const std::string& name);

// A text that can stand in a line: no line break or other control byte.
bool IsWritableText(const char* bytes, size_t size);

// Whole or nothing: when memory runs out the element is in neither index.
template <class T>
void NamedList<T>::Add(const std::string& name, T* element) {
  std::vector<T*>& instances = byName_[name];
  instances.push_back(element);
  try {
    all_.push_back(element);
  } catch (...) {
    instances.pop_back();
    throw;
  }
}

template <class T>
int NamedList<T>::CountOf(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? 0 : static_cast<int>(it->second.size());
}

template <class T>
T* NamedList<T>::ByNum(int i) const {
  if (i < 1 || i > Count()) return nullptr;
  return all_[static_cast<size_t>(i - 1)];
}

template <class T>
T* NamedList<T>::ByNameNum(const std::string& name, int n) const {
  const auto it = byName_.find(name);
  if (it == byName_.end() || n < 1 || n > static_cast<int>(it->second.size())) return nullptr;
  return it->second[static_cast<size_t>(n - 1)];
}

}  // namespace rcf

#endif
