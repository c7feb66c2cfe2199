/* Symbol export of librcf-koracore.
 *
 * The library is built with hidden visibility; only declarations marked with
 * RCF_API are part of its binary interface. The same macro serves the
 * library itself and its callers, so headers need no import/export switch.
 * Usable from C and C++. */
#ifndef RCF_API_H
#define RCF_API_H

#if defined(__GNUC__) || defined(__clang__)
#define RCF_API __attribute__((visibility("default")))
#else
#define RCF_API
#endif

#ifdef __cplusplus
#define RCF_EXTERN_C_BEGIN extern "C" {
#define RCF_EXTERN_C_END }
#else
#define RCF_EXTERN_C_BEGIN
#define RCF_EXTERN_C_END
#endif

#endif
