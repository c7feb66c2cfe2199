/* Scratch folder of a test process.
 *
 * CTest runs every discovered test case as a process of its own, several at
 * a time, so test cases that write a file of the same name must not share a
 * folder. Each process gets <build>/tests/work/<program>/<pid>, made on first
 * use and removed when the process ends (set KORACORE_KEEP_TEST_FILES=1 to
 * keep it). KORACORE_TEST_WORK_DIR expands to a call of this function. */
#ifndef KORACORE_TESTS_COMMON_WORK_DIR_SUPPORT_H
#define KORACORE_TESTS_COMMON_WORK_DIR_SUPPORT_H

#ifdef __cplusplus
extern "C" {
#endif

const char* koracore_test_work_dir(void);

#define KORACORE_TEST_WORK_DIR koracore_test_work_dir()

#ifdef __cplusplus
}
#endif

#endif
