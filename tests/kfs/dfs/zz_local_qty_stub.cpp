// LOCAL ONLY - never commit: stands in for qty until it lands.
#include <cstring>
#include "qty/qty.h"
namespace {
struct U { int id; const char* key; int dim; double f; };
const U kUnits[] = {{1000, "meter", 1, 1.0}, {1001, "kilometer", 1, 1000.0}, {1002, "foot", 1, 0.3048},
                    {1400, "second", 2, 1.0}, {1401, "minute", 2, 60.0}, {1402, "hour", 2, 3600.0},
                    {1403, "day", 2, 86400.0}, {2000, "meter per second", 3, 1.0}};
const U* unit(int id) { for (auto& u : kUnits) if (u.id == id) return &u; return nullptr; }
int itemDim(int item) { if (item >= 100185 && item <= 100188) return 1; if (item == 100000) return 1; if (item == 100002) return 3; return 0; }
}
extern "C" {
int qtySetupLoad(const char*) { return 1; }
int qtyItemUnitEqv(int item, int u) { const U* x = unit(u); if (!x) return 0; if (item == 999) return 1; return itemDim(item) == x->dim; }
int qtyGetUnitKey(int u, const char** key) { const U* x = unit(u); if (!x) return 0; if (key) *key = x->key; return 1; }
int qtyGetItemTypeKey(int id, const char** key) { if (id == 999) { if (key) *key = "Undefined"; return 1; } if (itemDim(id)) { if (key) *key = "Some item"; return 1;} return 0; }
int qtyGetUnitTag(const char* key, int* u) { for (auto& x : kUnits) if (!std::strcmp(x.key, key)) { *u = x.id; return 1; } *u = 0; return 0; }
int qtyConvertUnit(int from, int to, double* r, double v) { const U* a = unit(from); const U* b = unit(to); *r = v; if (!a || !b || a->dim != b->dim) return 0; *r = v * a->f / b->f; return 1; }
int qtyGetItemUnitSeq(int item, int seq, int* u, const char** key) { if (seq != 1 || !itemDim(item)) return 0; *u = 1000; if (key) *key = "meter"; return 1; }
static int userUnit(int item) { return itemDim(item) == 1 ? 1001 : 0; }
int qtyConvertToUserUnit(int item, int u, double* r, double v) { return qtyConvertUnit(u, userUnit(item), r, v); }
int qtyConvertFromUserUnit(int item, int u, double* r, double v) { return qtyConvertUnit(userUnit(item), u, r, v); }
int qtyConvertItemArrayD(int from, int to, double* d, int n, double del) { for (int i = 0; i < n; ++i) if (d[i] != del) if (!qtyConvertUnit(from, to, &d[i], d[i])) return 0; return 1; }
int qtyConvertItemArrayF(int from, int to, float* d, int n, float del) { for (int i = 0; i < n; ++i) if (d[i] != del) { double r; if (!qtyConvertUnit(from, to, &r, d[i])) return 0; d[i] = (float)r; } return 1; }
int qtyConvertItemArrayToUserUnitD(int item, int u, double* d, int n, double del) { return qtyConvertItemArrayD(u, userUnit(item), d, n, del); }
int qtyConvertItemArrayToUserUnitF(int item, int u, float* d, int n, float del) { return qtyConvertItemArrayF(u, userUnit(item), d, n, del); }
int qtyConvertItemArrayFromUserUnitD(int item, int u, double* d, int n, double del) { return qtyConvertItemArrayD(userUnit(item), u, d, n, del); }
int qtyConvertItemArrayFromUserUnitF(int item, int u, float* d, int n, float del) { return qtyConvertItemArrayF(userUnit(item), u, d, n, del); }
}
