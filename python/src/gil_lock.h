// Locking a handle's mutex from a call that holds the interpreter lock.
#ifndef KORACORE_PYTHON_GIL_LOCK_H
#define KORACORE_PYTHON_GIL_LOCK_H

#include <pybind11/pybind11.h>

#include <mutex>

namespace koracore_py {

// Takes the mutex, waiting for it without the interpreter lock: a thread
// that holds the mutex may need the interpreter lock to finish, never the
// other way round.
inline std::unique_lock<std::mutex> LockReleasingGil(std::mutex& mutex) {
  std::unique_lock<std::mutex> lock(mutex, std::try_to_lock);
  if (!lock.owns_lock()) {
    pybind11::gil_scoped_release unlocked;
    lock.lock();
  }
  return lock;
}

}  // namespace koracore_py

#endif
