// Declarations of the status texts that the libraries are about to export.
#ifndef KORACORE_PYTHON_ERROR_TEXT_PENDING_H
#define KORACORE_PYTHON_ERROR_TEXT_PENDING_H
extern "C" const char* kfsErrorText(unsigned int code);
extern "C" const char* qtyErrorText(int code);
#endif
