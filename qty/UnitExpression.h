// The unit-expression evaluator: turns the definition of a unit in the unit
// table ("Length*1000", "Temperature*5/9+459.67*5/9") into a unit or a number.
//
// Grammar, deliberately simple and without precedence:
//  - operands are numbers ("1.5", "2E-4", "3d2"), unit idents of the
//    registry, "pi" (unless a unit has that ident) and parenthesised
//    sub-expressions;
//  - "*", "/" and "^" apply strictly left to right: "Length/Time^2" is
//    (Length/Time)^2;
//  - "+" or "-" splits the text: what follows is evaluated on its own and
//    added to (or subtracted from) what precedes, so "a-1-2" is a - (1 - 2).
//    Adding a number to a unit sets the unit's offset.
// No white space. Numbers always use a full stop and are read under the "C"
// locale; a number token has at most 23 characters and a name at most 127.
//
// Every unit produced has a finite, non-zero factor and a finite offset; an
// expression that would give anything else ("Length*0") fails, since such a
// unit cannot be converted from.
#ifndef QTY_UNITEXPRESSION_H
#define QTY_UNITEXPRESSION_H

class CKVunit;
class CKVregistry;

// On success exactly one of *unit (a new unit with empty names) and *number
// is set, and the caller owns it. On failure both are null and false is
// returned. Units are looked up in the process-wide registry.
bool bEvaluateExpression(const char* text, CKVunit** unit, double** number);

// The same against a given registry.
bool bEvaluateExpression(const CKVregistry& registry, const char* text, CKVunit** unit,
                         double** number);

#endif
