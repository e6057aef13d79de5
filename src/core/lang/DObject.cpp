// The object root's default operations.
#include "core/lang/DObject.h"

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DString.h"

namespace nuv::lang {

void throwNullPointerException() { throwException(ExceptionCode::NullPointerException); }

DStringPtr DObject::toString() { return DString::concat(u"DObject@", DInteger::toHexString(hashCode()).get()); }

int32_t DObject::hashCode() { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this) & 0x7FFFFFFF); }

}  // namespace nuv::lang
