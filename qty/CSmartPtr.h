// Reference-counted ownership for the XML document layer: every object of
// the layer derives from CSmartPtrAble and is handed out through CSmartPtr,
// which deletes it when the last pointer goes.
//
// The counts are checked with assertions that stay in every build
// (QTY_ASSERT): a count below 0 before an increment, below 1 before a
// decrement, or not 0 at destruction is a programming error of this layer,
// never a consequence of input.
#ifndef QTY_CSMARTPTR_H
#define QTY_CSMARTPTR_H

#include "qty/QtyAssert.h"

namespace MSXML2 {

class CSmartPtrAble {
 public:
  CSmartPtrAble() = default;
  CSmartPtrAble(const CSmartPtrAble&) = delete;
  CSmartPtrAble& operator=(const CSmartPtrAble&) = delete;
  virtual ~CSmartPtrAble() {
    QTY_ASSERT(_smart_ptr_refcount == 0 && "SmartPtr: count 0 at destruction");
  }

  void AddRef() {
    QTY_ASSERT(_smart_ptr_refcount >= 0 && "SmartPtr: count >= 0 before increment");
    ++_smart_ptr_refcount;
  }
  // Returns the count left.
  int Release() {
    QTY_ASSERT(_smart_ptr_refcount >= 1 && "SmartPtr: count >= 1 before decrement");
    return --_smart_ptr_refcount;
  }
  int RefCount() const { return _smart_ptr_refcount; }

 private:
  int _smart_ptr_refcount = 0;
};

template <class T>
class CSmartPtr {
 public:
  CSmartPtr() = default;
  // Takes a new object (count 0) or shares one already held elsewhere.
  explicit CSmartPtr(T* object) : m_p(object) { Acquire(); }
  CSmartPtr(const CSmartPtr& other) : m_p(other.m_p) { Acquire(); }
  CSmartPtr& operator=(const CSmartPtr& other) {
    if (this != &other) {
      T* previous = m_p;
      m_p = other.m_p;
      Acquire();
      Drop(previous);
    }
    return *this;
  }
  virtual ~CSmartPtr() { Drop(m_p); }

  T* operator->() const { return m_p; }
  T& operator*() const { return *m_p; }
  T* get() const { return m_p; }
  bool IsNull() const { return m_p == nullptr; }
  explicit operator bool() const { return m_p != nullptr; }

 private:
  void Acquire() {
    if (m_p) m_p->AddRef();
  }
  static void Drop(T* object) {
    if (object && object->Release() == 0) delete object;
  }

  T* m_p = nullptr;
};

}  // namespace MSXML2

#endif
