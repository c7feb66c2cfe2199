/* Symbol export of libKvCart-koracore.
 *
 * The library is built with hidden visibility; only declarations marked with
 * KVCART_API are part of its binary interface. The same macro serves the
 * library itself and its callers, so headers need no import/export switch.
 * Usable from C and C++. */
#ifndef KVCART_API_H
#define KVCART_API_H

#if defined(__GNUC__) || defined(__clang__)
#define KVCART_API __attribute__((visibility("default")))
#else
#define KVCART_API
#endif

#ifdef __cplusplus
#define KVCART_EXTERN_C_BEGIN extern "C" {
#define KVCART_EXTERN_C_END }
#else
#define KVCART_EXTERN_C_BEGIN
#define KVCART_EXTERN_C_END
#endif

#endif
