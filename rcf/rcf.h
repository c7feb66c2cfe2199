/* rcf: reading and writing parameter files.
 *
 * A parameter file is a line-oriented text that people edit by hand
 * (ellipsoid and projection definitions, user units). The syntax is
 * described with a full example in docs/parameter-files.md:
 *
 *   [ELLIPSOID_DEFINITION]                  // a target
 *      [REF_ELLIPSOID]                      // a section inside it
 *         Ellipsoid_Name = 'WGS 84'         // a keyword with a text
 *         Semi_Major_Axis = 6378137.0       // ... with a number
 *         Data = 100000, 1001               // ... with two integers
 *      EndSect
 *   EndTarget
 *
 * Model. A document holds targets; a target holds sections and keywords; a
 * section holds keywords; a keyword holds parameters numbered from 1, each a
 * text, an integer (32-bit) or a number (double). Names are case-sensitive
 * and may repeat: the elements of one name are its instances, numbered from
 * 1 in file order. All handles are untyped pointers into the document; they
 * stay valid until the document is closed. Lookups return null when the
 * element is absent or the handle is of the wrong kind (a section handle
 * passed where a target is wanted).
 *
 * Errors. Every load, create and write sets the calling thread's error state
 * (0 on success), and a building call that fails sets it to its code, so the
 * state never reports an older failure than the last such call.
 * rcfGetErrorGlb() returns and clears it, rcfPeekErrorGlb() only returns it,
 * rcfErrorText(code) names a code and rcfGetErrorDetailGlb() says where the
 * last failure happened ("map.rcf:12: unterminated quoted text").
 *
 * Conversions. An integer read with rcfGetDouble is its exact value; a number
 * read with rcfGetInt is truncated toward zero (-3.7 gives -3), clamped to
 * the int range, and NaN gives 0. A text is never converted to a number:
 * rcfGetInt and rcfGetDouble give 0, and rcfGetParam with a numeric output
 * reports it as not found. A number read as text gives its text as written in
 * the file (or, for numbers put by the program, the shortest text that reads
 * back to the same double).
 *
 * Numbers are written and read independently of the process locale, and a
 * written number reads back bit-identical, as the same kind.
 *
 * Usage, reading:
 *   void* doc = rcfLoadFile("ellipsoid.rcf", 1);
 *   if (!doc) return rcfGetErrorGlb();
 *   void* target = rcfTargetByNameNum(doc, "ELLIPSOID_DEFINITION", 1);
 *   void* first = rcfSectionByNameNum(target, "REF_ELLIPSOID", 1);
 *   for (int i = 1; first && i <= rcfGetNoInstances(first); ++i) {
 *     void* section = rcfSectionByNameNum(target, "REF_ELLIPSOID", i);
 *     double a = 0;
 *     rcfGetParam(section, "Semi_Major_Axis", &a, 1, 1);
 *   }
 *   rcfClose(&doc);
 *
 * Usage, writing:
 *   void* doc = rcfCreate();
 *   rcfAddTarget(doc, "ELLIPSOID_DEFINITION");
 *   rcfAddSection(doc, "REF_ELLIPSOID");
 *   rcfPutParam(doc, "Semi_Major_Axis", 6378137.0);
 *   rcfEndSection(doc);
 *   int status = rcfWrite(doc, "custom_ellipsoid.rcf");
 *   rcfClose(&doc);
 */
#ifndef KORACORE_RCF_H
#define KORACORE_RCF_H

#include "base/CString.h"
#include "rcf/rcf_api.h"

#include <string>

// Error codes. 0 is success; the hundreds group them by cause.
enum RcfError {
  RCF_OK = 0,
  // The file system.
  RCF_ERR_OPEN = 100,        // the file does not exist or cannot be opened
  RCF_ERR_NOT_A_FILE = 101,  // a directory, device or pipe
  RCF_ERR_READ = 102,        // reading failed part way
  RCF_ERR_WRITE = 103,       // the file or its temporary could not be written
  // The text of a file being loaded.
  RCF_ERR_EMPTY = 200,          // no target in the file
  RCF_ERR_BAD_BYTE = 201,       // a NUL or other control byte
  RCF_ERR_LINE_TOO_LONG = 202,  // a line longer than RCF_MAX_LINE_LENGTH
  RCF_ERR_UNTERMINATED_QUOTE = 203,
  RCF_ERR_BAD_NUMBER = 204,            // an unquoted value that is no number
  RCF_ERR_BAD_NAME = 205,              // a target, section or keyword name with bad characters
  RCF_ERR_SYNTAX = 206,                // a line that is no header, closer or keyword
  RCF_ERR_OUTSIDE_TARGET = 207,        // a section or keyword before any target
  RCF_ERR_NESTED_SECTION = 208,        // a section opened inside a section
  RCF_ERR_UNMATCHED_END = 209,         // EndSect/EndTarget with nothing of that kind open
  RCF_ERR_UNTERMINATED_SECTION = 210,  // end of file or EndTarget inside a section
  RCF_ERR_UNTERMINATED_TARGET = 211,   // end of file inside a target
  // Calls that build or query a document.
  RCF_ERR_ARGUMENT = 300,         // a null or wrong-kind handle, a null text
  RCF_ERR_NO_TARGET = 301,        // a section or keyword put before any target
  RCF_ERR_NO_SECTION = 302,       // rcfEndSection with no section open
  RCF_ERR_UNWRITABLE_TEXT = 303,  // a text with a line break or control byte
  RCF_ERR_NO_MEMORY = 304
};

// The longest line a parameter file may hold, in bytes without the line end.
#define RCF_MAX_LINE_LENGTH 65536

// Kinds of parameter.
enum RcfParamType {
  RCF_PARAM_NONE = 0,
  RCF_PARAM_TEXT = 1,
  RCF_PARAM_INT = 2,
  RCF_PARAM_NUMBER = 3
};

// The one loading option defined so far; the argument is kept for options to come.
#define RCF_LOAD_DEFAULT 1

// A name argument (target, section, keyword): a C text, a std::string or a
// CString, taken without a copy for the length of the call. Null finds
// nothing and is refused when building.
class RcfName {
 public:
  RcfName(const char* text) : text_(text) {}
  RcfName(const std::string& text) : text_(text.c_str()) {}
  RcfName(const CString& text) : text_(text.GetString()) {}
  const char* get() const { return text_; }

 private:
  const char* text_;
};

// --- Error state -------------------------------------------------------------
RCF_API int rcfGetErrorGlb();                // returns and clears
RCF_API int rcfPeekErrorGlb();               // returns only
RCF_API const char* rcfGetErrorDetailGlb();  // where and why; "" after success
RCF_API const char* rcfErrorText(int code);  // "unterminated quoted text", ...

// --- Documents -----------------------------------------------------------------
// Loads a whole file; null on failure, with the error state telling why.
RCF_API void* rcfLoadFile(const char* path, int flags);
inline void* rcfLoadFile(const std::string& path, int flags) {
  return rcfLoadFile(path.c_str(), flags);
}
// Loads from text in memory; name is used in error details only.
RCF_API void* rcfLoadText(const char* text, int length, const char* name);
RCF_API void* rcfCreate();
// Frees the document and sets *handle to null; a null handle is fine.
RCF_API void rcfClose(void** handle);

// --- Navigation (n and i count from 1) -----------------------------------------
RCF_API int rcfGetNoTargets(void* doc);
RCF_API void* rcfTargetByNum(void* doc, int i);
RCF_API void* rcfTargetByNameNum(void* doc, RcfName name, int n);
RCF_API int rcfGetNoSections(void* target);
RCF_API void* rcfSectionByNum(void* target, int i);
RCF_API void* rcfSectionByNameNum(void* target, RcfName name, int n);
// Keywords of a target or a section.
RCF_API int rcfGetNoKeywords(void* targetOrSection);
RCF_API void* rcfKeywordByNum(void* targetOrSection, int i);
RCF_API void* rcfKeywordByNameNum(void* targetOrSection, RcfName name, int n);
// How many elements of its parent share the name of this target, section or keyword.
RCF_API int rcfGetNoInstances(void* element);
// The name of a target, section or keyword; "" for anything else.
RCF_API const char* rcfGetName(void* element);

// --- Parameters ------------------------------------------------------------------
RCF_API int rcfGetNoParams(void* keyword);
RCF_API void* rcfParamByNum(void* keyword, int i);
RCF_API int rcfGetParamType(void* param);
RCF_API int rcfGetInt(void* param);
RCF_API double rcfGetDouble(void* param);
// The parameter as text (numbers too); "" for a null handle.
RCF_API const char* rcfGetText(void* param);

// Parameter `param` of instance `instance` of the keyword in a target or a
// section. Non-zero when found and convertible; the output is untouched
// otherwise.
RCF_API int rcfGetParam(void* targetOrSection, RcfName keyword, CString* out, int instance = 1,
                        int param = 1);
RCF_API int rcfGetParam(void* targetOrSection, RcfName keyword, double* out, int instance = 1,
                        int param = 1);
RCF_API int rcfGetParam(void* targetOrSection, RcfName keyword, int* out, int instance = 1,
                        int param = 1);
RCF_API int rcfGetParam(void* targetOrSection, RcfName keyword, std::string* out, int instance = 1,
                        int param = 1);

// --- Building ----------------------------------------------------------------------
// A new target at the end of the document; it becomes current and no section is open.
RCF_API void* rcfAddTarget(void* doc, RcfName name);
// A new section at the end of the current target; it becomes the open section
// (a section still open is ended first: sections do not nest).
RCF_API void* rcfAddSection(void* doc, RcfName name);
// Ends the open section; keywords go to the current target again. 0 or a code.
RCF_API int rcfEndSection(void* doc);
// A new keyword with one parameter, in the open section or else the current
// target. Returns the keyword, to which rcfAppendParam adds more; null on failure.
RCF_API void* rcfPutParam(void* doc, RcfName keyword, const CString& value);
RCF_API void* rcfPutParam(void* doc, RcfName keyword, const char* value);
RCF_API void* rcfPutParam(void* doc, RcfName keyword, const std::string& value);
RCF_API void* rcfPutParam(void* doc, RcfName keyword, double value);
RCF_API void* rcfPutParam(void* doc, RcfName keyword, int value);
// A new keyword without parameters, in the same place as rcfPutParam puts one.
RCF_API void* rcfAddKeyword(void* doc, RcfName keyword);
// Appends one parameter to a keyword; 0 or a code.
RCF_API int rcfAppendParam(void* keyword, const CString& value);
RCF_API int rcfAppendParam(void* keyword, const char* value);
RCF_API int rcfAppendParam(void* keyword, const std::string& value);
RCF_API int rcfAppendParam(void* keyword, double value);
RCF_API int rcfAppendParam(void* keyword, int value);

// Writes the document to path: into a temporary file in the same folder that
// then replaces path, so a failure leaves any earlier file as it was.
// 0 or a code.
RCF_API int rcfWrite(void* doc, const char* path);
inline int rcfWrite(void* doc, const std::string& path) { return rcfWrite(doc, path.c_str()); }
// The text rcfWrite would write; empty (and the error state set) when the
// document cannot be written.
RCF_API CString rcfWriteText(void* doc);

#endif
