/* Symbol export of libkfs-koracore.
 *
 * The library is built with hidden visibility; only declarations marked with
 * KFS_API are part of its binary interface. The same macro serves the
 * library itself and its callers, so headers need no import/export switch.
 * Usable from C and C++. */
#ifndef KFS_API_H
#define KFS_API_H

#if defined(__GNUC__) || defined(__clang__)
#define KFS_API __attribute__((visibility("default")))
#else
#define KFS_API
#endif

#ifdef __cplusplus
#define KFS_EXTERN_C_BEGIN extern "C" {
#define KFS_EXTERN_C_END }
#else
#define KFS_EXTERN_C_BEGIN
#define KFS_EXTERN_C_END
#endif

#endif
