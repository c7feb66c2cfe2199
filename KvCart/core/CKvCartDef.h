/* CKvCartDef: the enumeration of datum-shift kinds, shared by the
 * datum-shift record and its users. It holds no data. */
#ifndef KVCART_CORE_CKVCARTDEF_H
#define KVCART_CORE_CKVCARTDEF_H

#include "KvCart/KvCart_api.h"

class KVCART_API CKvCartDef {
 public:
  // No shift; three translations; seven-parameter similarity transformation.
  enum ETypeOfDatumShift : int { eNoShift = 0, eThreeParameter = 1, eSevenParameter = 2 };
};

#endif
