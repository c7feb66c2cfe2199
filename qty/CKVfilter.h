// CKVfilter: a named group of item types, for products and user
// interfaces. Its id is a single bit; an item type belongs to every filter
// whose bit is set in the item type's mask.
#ifndef QTY_CKVFILTER_H
#define QTY_CKVFILTER_H

#include <string>

class CKVfilter {
 public:
  CKVfilter(const std::string& key, long id) : m_key(key), m_nId(id) {}
  virtual ~CKVfilter() = default;

  operator long() const { return m_nId; }
  long GetId() const { return m_nId; }
  const std::string& GetKey() const { return m_key; }
  void SetKey(const std::string& key) { m_key = key; }
  const std::string& GetIdent() const { return m_ident; }
  void SetIdent(const std::string& ident) { m_ident = ident; }

 private:
  std::string m_key;
  std::string m_ident;
  long m_nId;
};

#endif
