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

struct Node {
  explicit Node(Kind k) : kind(k) {}
  virtual ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  Kind kind;
};

enum class ParamType { Text = 1, Integer = 2, Number = 3 };

struct Param : Node {
  Param() : Node(Kind::Param) {}
  ParamType type = ParamType::Text;
  std::string text;     // the text itself, or the number as written
  int integer = 0;      // Integer only
  double number = 0.0;  // Integer and Number
};

struct Keyword : Node {
  Keyword(std::string n, Node* p) : Node(Kind::Keyword), name(std::move(n)), parent(p) {}
  std::string name;
  Node* parent;  // the target or section holding it
  std::vector<std::unique_ptr<Param>> params;
};

// Elements in order of addition, with their instances by name.
template <class T>
class NamedList {
public:
  void Add(T* element);
  int Count() const { return static_cast<int>(all_.size()); }
  int CountOf(const std::string& name) const;
  T* ByNum(int i) const;                                 // from 1
  T* ByNameNum(const std::string& name, int n) const;    // from 1
  const std::vector<T*>& All() const { return all_; }

private:
  std::vector<T*> all_;
  std::unordered_map<std::string, std::vector<T*>> byName_;
};

struct Group : Node {
  Group(Kind k, std::string n, Node* p) : Node(k), name(std::move(n)), parent(p) {}
  std::string name;
  Node* parent;  // the document of a target, the target of a section
  std::vector<std::unique_ptr<Node>> items;  // sections and keywords in order; owns them
  NamedList<Group> sections;
  NamedList<Keyword> keywords;

  // Each add is whole or nothing: an element that cannot be indexed (memory
  // ran out) is not left half-added.
  Group* AddSection(const std::string& sectionName);
  // A new keyword, holding `first` when given.
  Keyword* AddKeyword(const std::string& keywordName, std::unique_ptr<Param> first = nullptr);
};

struct Document : Node {
  Document() : Node(Kind::Document) {}
  std::vector<std::unique_ptr<Group>> owned;
  NamedList<Group> targets;
  // Where the building calls add: the last target, and the open section in it.
  Group* currentTarget = nullptr;
  Group* openSection = nullptr;

  Group* AddTarget(const std::string& targetName);
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
void NamedList<T>::Add(T* element) {
  std::vector<T*>& instances = byName_[element->name];
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
