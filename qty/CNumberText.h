// Numbers in the unit table and in unit expressions are written with a full
// stop whatever the host's locale: these read them under the "C" locale
// without touching the process locale.
#ifndef QTY_CNUMBERTEXT_H
#define QTY_CNUMBERTEXT_H

namespace qty {

// strtod under the "C" locale.
double StrtodC(const char* text, char** end);

}  // namespace qty

#endif
