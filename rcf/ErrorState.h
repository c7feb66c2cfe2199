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
// Records success: the state is 0 and the detail empty.
void Succeed();

}  // namespace rcf

#endif
