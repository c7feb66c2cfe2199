#include "rcf/ErrorState.h"

#include "rcf/rcf.h"

#include <cstring>

namespace rcf {
namespace {

// Trivially destructible on purpose: a thread's thread_local objects die
// before the process's static objects, and static objects (the projection
// database writing its custom files at exit) still call rcf from their
// destructors. A std::string here would be used after it was freed.
struct State {
  int code = RCF_OK;
  char detail[512] = {};

  void SetDetail(const std::string& text) {
    const size_t n = text.size() < sizeof detail ? text.size() : sizeof detail - 1;
    std::memcpy(detail, text.data(), n);
    detail[n] = '\0';
  }
};

State& Current() {
  thread_local State state;
  return state;
}

}  // namespace

int Fail(int code, std::string detail) {
  State& s = Current();
  s.code = code;
  s.SetDetail(detail);
  return code;
}

void FailNoMemory() noexcept {
  State& s = Current();
  s.code = RCF_ERR_NO_MEMORY;
  s.detail[0] = '\0';  // nothing is allocated
}

void Succeed() {
  State& s = Current();
  s.code = RCF_OK;
  s.detail[0] = '\0';
}

}  // namespace rcf

int rcfGetErrorGlb() {
  rcf::State& s = rcf::Current();
  const int code = s.code;
  s.code = RCF_OK;
  s.detail[0] = '\0';
  return code;
}

int rcfPeekErrorGlb() { return rcf::Current().code; }

const char* rcfGetErrorDetailGlb() { return rcf::Current().detail; }

const char* rcfErrorText(int code) {
  switch (code) {
    case RCF_OK: return "no error";
    case RCF_ERR_OPEN: return "cannot open the file";
    case RCF_ERR_NOT_A_FILE: return "not a regular file";
    case RCF_ERR_READ: return "error while reading the file";
    case RCF_ERR_WRITE: return "cannot write the file";
    case RCF_ERR_EMPTY: return "no target";
    case RCF_ERR_BAD_BYTE: return "NUL or control byte in the text";
    case RCF_ERR_LINE_TOO_LONG: return "line too long";
    case RCF_ERR_UNTERMINATED_QUOTE: return "unterminated quoted text";
    case RCF_ERR_BAD_NUMBER: return "bad number";
    case RCF_ERR_BAD_NAME: return "bad name";
    case RCF_ERR_SYNTAX: return "syntax error";
    case RCF_ERR_OUTSIDE_TARGET: return "section or keyword outside a target";
    case RCF_ERR_NESTED_SECTION: return "section inside a section";
    case RCF_ERR_UNMATCHED_END: return "EndSect or EndTarget without an open section or target";
    case RCF_ERR_UNTERMINATED_SECTION: return "section not closed by EndSect";
    case RCF_ERR_UNTERMINATED_TARGET: return "target not closed by EndTarget";
    case RCF_ERR_ARGUMENT: return "null or wrong handle or argument";
    case RCF_ERR_NO_TARGET: return "no target to add to";
    case RCF_ERR_NO_SECTION: return "no open section";
    case RCF_ERR_UNWRITABLE_TEXT: return "text with a line break or control byte";
    case RCF_ERR_NO_MEMORY: return "out of memory";
    default: return "unknown error code";
  }
}
