/* Symbol export of libqty-koracore.
 *
 * The library is built with hidden visibility; only declarations marked with
 * QTY_API are part of its binary interface. The same macro serves the
 * library itself and its callers, so headers need no import/export switch.
 * Usable from C and C++. */
#ifndef QTY_API_H
#define QTY_API_H

#if defined(__GNUC__) || defined(__clang__)
#define QTY_API __attribute__((visibility("default")))
#else
#define QTY_API
#endif

#ifdef __cplusplus
#define QTY_EXTERN_C_BEGIN extern "C" {
#define QTY_EXTERN_C_END }
#else
#define QTY_EXTERN_C_BEGIN
#define QTY_EXTERN_C_END
#endif

#endif
