// Building documents: targets, sections, keywords and their parameters.
#include "rcf/ErrorState.h"
#include "rcf/Handles.h"
#include "rcf/NumberText.h"
#include "rcf/rcf.h"

#include <cstring>
#include <new>

namespace {

std::string Quote(const char* name) { return std::string("'") + name + "'"; }

// Checks a name given for a new element; records the failure otherwise.
bool AcceptName(const char* call, RcfName name) {
  if (!name.get()) {
    rcf::Fail(RCF_ERR_ARGUMENT, std::string(call) + ": no name");
    return false;
  }
  if (!rcf::IsValidName(name.get())) {
    rcf::Fail(RCF_ERR_BAD_NAME, std::string(call) + ": bad name " + Quote(name.get()) +
                                    ": use letters, digits, '_', '-' and '.'");
    return false;
  }
  return true;
}

rcf::Document* DocumentFor(const char* call, void* doc) {
  rcf::Document* d = rcf::AsDocument(doc);
  if (!d) rcf::Fail(RCF_ERR_ARGUMENT, std::string(call) + ": not a document handle");
  return d;
}

// Where a new keyword goes: the open section, or else the current target.
rcf::Group* KeywordHolder(const char* call, void* doc) {
  rcf::Document* d = DocumentFor(call, doc);
  if (!d) return nullptr;
  if (d->OpenSection()) return d->OpenSection();
  if (!d->CurrentTarget())
    rcf::Fail(RCF_ERR_NO_TARGET, std::string(call) + ": no target added yet");
  return d->CurrentTarget();
}

std::unique_ptr<rcf::Param> TextParam(const char* bytes, size_t size) {
  if (!rcf::IsWritableText(bytes, size)) {
    rcf::Fail(RCF_ERR_UNWRITABLE_TEXT,
              "a text parameter may not hold a line break or control byte");
    return nullptr;
  }
  auto p = std::make_unique<rcf::Param>();
  p->type = rcf::ParamType::Text;
  p->text.assign(bytes, size);
  return p;
}

std::unique_ptr<rcf::Param> NumberParam(double value) {
  auto p = std::make_unique<rcf::Param>();
  p->type = rcf::ParamType::Number;
  p->number = value;
  p->text = rcf::FormatNumber(value);
  return p;
}

std::unique_ptr<rcf::Param> IntegerParam(int value) {
  auto p = std::make_unique<rcf::Param>();
  p->type = rcf::ParamType::Integer;
  p->integer = value;
  p->number = value;
  p->text = rcf::FormatInteger(value);
  return p;
}

int Append(void* keyword, std::unique_ptr<rcf::Param> param) {
  rcf::Keyword* k = rcf::AsKeyword(keyword);
  if (!k) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfAppendParam: not a keyword handle");
  if (!param) return RCF_ERR_UNWRITABLE_TEXT;  // refused by TextParam, which said why
  k->AddParam(std::move(param));
  return RCF_OK;
}

// A new keyword holding one parameter; nothing is added when the value is refused.
void* PutOne(void* doc, RcfName keyword, std::unique_ptr<rcf::Param> param) {
  rcf::Group* holder = KeywordHolder("rcfPutParam", doc);
  if (!holder || !AcceptName("rcfPutParam", keyword) || !param) return nullptr;
  return rcf::ToHandle(holder->AddKeyword(keyword.get(), std::move(param)));
}

using rcf::Guarded;

void* const kNoHandle = nullptr;
const int kNoMemory = RCF_ERR_NO_MEMORY;

}  // namespace

void* rcfAddTarget(void* doc, RcfName name) {
  return Guarded(kNoHandle, [&]() -> void* {
    rcf::Document* d = DocumentFor("rcfAddTarget", doc);
    if (!d || !AcceptName("rcfAddTarget", name)) return nullptr;
    return rcf::ToHandle(d->BeginTarget(name.get()));
  });
}

void* rcfAddSection(void* doc, RcfName name) {
  return Guarded(kNoHandle, [&]() -> void* {
    rcf::Document* d = DocumentFor("rcfAddSection", doc);
    if (!d || !AcceptName("rcfAddSection", name)) return nullptr;
    if (!d->CurrentTarget()) {
      rcf::Fail(RCF_ERR_NO_TARGET, "rcfAddSection: no target added yet");
      return nullptr;
    }
    return rcf::ToHandle(d->BeginSection(name.get()));
  });
}

int rcfEndSection(void* doc) {
  return Guarded(kNoMemory, [&] {
    rcf::Document* d = DocumentFor("rcfEndSection", doc);
    if (!d) return static_cast<int>(RCF_ERR_ARGUMENT);
    if (!d->OpenSection())
      return rcf::Fail(RCF_ERR_NO_SECTION, "rcfEndSection: no section is open");
    d->EndSection();
    return static_cast<int>(RCF_OK);
  });
}

void* rcfPutParam(void* doc, RcfName keyword, const CString& value) {
  return Guarded(kNoHandle, [&] {
    return PutOne(doc, keyword,
                  TextParam(value.GetString(), static_cast<size_t>(value.GetLength())));
  });
}

void* rcfPutParam(void* doc, RcfName keyword, const char* value) {
  return Guarded(kNoHandle, [&]() -> void* {
    if (!value) {
      rcf::Fail(RCF_ERR_ARGUMENT, "rcfPutParam: null text");
      return nullptr;
    }
    return PutOne(doc, keyword, TextParam(value, std::strlen(value)));
  });
}

void* rcfPutParam(void* doc, RcfName keyword, const std::string& value) {
  return Guarded(kNoHandle,
                 [&] { return PutOne(doc, keyword, TextParam(value.data(), value.size())); });
}

void* rcfPutParam(void* doc, RcfName keyword, double value) {
  return Guarded(kNoHandle, [&] { return PutOne(doc, keyword, NumberParam(value)); });
}

void* rcfPutParam(void* doc, RcfName keyword, int value) {
  return Guarded(kNoHandle, [&] { return PutOne(doc, keyword, IntegerParam(value)); });
}

void* rcfAddKeyword(void* doc, RcfName keyword) {
  return Guarded(kNoHandle, [&]() -> void* {
    rcf::Group* holder = KeywordHolder("rcfAddKeyword", doc);
    if (!holder || !AcceptName("rcfAddKeyword", keyword)) return nullptr;
    return rcf::ToHandle(holder->AddKeyword(keyword.get()));
  });
}

int rcfAppendParam(void* keyword, const CString& value) {
  return Guarded(kNoMemory, [&] {
    return Append(keyword, TextParam(value.GetString(), static_cast<size_t>(value.GetLength())));
  });
}

int rcfAppendParam(void* keyword, const char* value) {
  return Guarded(kNoMemory, [&] {
    if (!value) return rcf::Fail(RCF_ERR_ARGUMENT, "rcfAppendParam: null text");
    return Append(keyword, TextParam(value, std::strlen(value)));
  });
}

int rcfAppendParam(void* keyword, const std::string& value) {
  return Guarded(kNoMemory, [&] { return Append(keyword, TextParam(value.data(), value.size())); });
}

int rcfAppendParam(void* keyword, double value) {
  return Guarded(kNoMemory, [&] { return Append(keyword, NumberParam(value)); });
}

int rcfAppendParam(void* keyword, int value) {
  return Guarded(kNoMemory, [&] { return Append(keyword, IntegerParam(value)); });
}
