// Units as people write them: by abbreviation ("m", "°C"), by name or
// alias ("meter", "metres"), by ident, or as an expression of these ("m/s",
// "m^3/s", "kg/m^3", "W/(m^2·K)", "s^-1").
//
// Expressions follow the usual rules, unlike the table's own expressions:
// "^" binds tighter than "*", "/" and "·", which apply left to right
// ("kg/m^3" is kg/(m^3), "m/s/s" is m/s^2); parentheses group; blanks
// between tokens are allowed. A name inside an expression is an
// abbreviation, a name or alias, or an ident, in that order; where the
// table's symbol is not plain ASCII, "deg" may stand for "°" ("degC") and a
// leading "u" for "µ" ("um/s"), and a name with trailing digits unknown as
// such is a power ("m3" is m^3). The expression is rewritten into the
// table's syntax with every operation parenthesised and evaluated by the
// table's own evaluator (UnitExpression.h); the registered unit with the
// result's dimension, factor (to a relative 1e-12) and no offset is the
// answer. The shipped table's own units are preferred to the library's
// eight base units of the same value, so "m*s/s" names the meter (1000),
// not the base unit Length (2).
//
// A whole text that names a unit is taken as that unit before it is read
// as an expression, so offsets survive: "degC" is degree Celsius; in an
// expression the offset has no meaning ("degC/s" is kelvin per second).
#ifndef QTY_UNITSYMBOLS_H
#define QTY_UNITSYMBOLS_H

#include <string>

class CKVregistry;
class CKVunit;

namespace qty {

// The first unit in list order whose abbreviation is exactly `abbreviation`
// (case matters: "mm" is the millimeter, "Mm" is not); null when none.
const CKVunit* FindUnitByAbbreviation(const CKVregistry& registry, const std::string& abbreviation);

// The unit a text names, as described above; null when the text names no
// unit or its expression matches no registered unit.
const CKVunit* FindUnitBySymbol(const CKVregistry& registry, const std::string& text);

// The text rewritten into the table's expression syntax with unit idents
// ("kg/m^3" gives "(qtyUkilogram/(qtyUmeter^3))"); false when the text is
// not an expression of known units. Exposed for tests.
bool SymbolToExpression(const CKVregistry& registry, const std::string& text,
                        std::string* expression);

}  // namespace qty

#endif
