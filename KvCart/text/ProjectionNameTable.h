/* The PROJECTION names that the well-known-text reader recognises, and the
 * projection kind each stands for (internal to the text folder).
 *
 * Several names stand for one kind: the ESRI and the EPSG/OGC spellings
 * ("Lambert_Conformal_Conic" and "Lambert_Conformal_Conic_2SP"), variants
 * that this library computes with one class ("Gauss_Kruger" is a transverse
 * Mercator; the projection classes tell "Transverse_Mercator_South_Orientated"
 * and "Mercator_Auxiliary_Sphere" apart by the name), and the names our own
 * writer uses.
 */
#ifndef KVCART_TEXT_PROJECTIONNAMETABLE_H
#define KVCART_TEXT_PROJECTIONNAMETABLE_H

#include "KvCart/core/CKvMapProjData.h"
#include "base/CString.h"

namespace kvcart {

// The kind of a PROJECTION name, compared without regard to ASCII case and
// in full; eUndefined for a name not in the table.
CKvMapProjData::EProjectionType ProjectionTypeOfName(const CString& name);

}  // namespace kvcart

#endif
