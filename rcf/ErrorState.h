// The calling thread's last rcf status, with a detail text for people.
//
// Each thread has its own state, like errno, so a host that loads files on
// two threads never sees the other thread's failure.
#ifndef KORACORE_RCF_ERRORSTATE_H
#define KORACORE_RCF_ERRORSTATE_H

#include <string>

namespace rcf {

// Records a failure; returns code so callers can write `return Fail(...)`.
int Fail(int code, std::string detail);
// Records RCF_ERR_NO_MEMORY without allocating anything (the detail names
// no file then): what is left to say when memory has run out.
void FailNoMemory() noexcept;
// Records success: the state is 0 and the detail empty.
void Succeed();

// Runs the body of a public function. Whatever it throws - std::bad_alloc
// above all, also from building a failure's detail text - ends here: the
// state says RCF_ERR_NO_MEMORY and the function returns `failure`. The
// normal path costs nothing.
template <class R, class Body>
R Guarded(R failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    FailNoMemory();
    return failure;
  }
}

}  // namespace rcf

#endif
