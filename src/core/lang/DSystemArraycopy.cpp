// Copying runs of elements between arrays of one kind, also within one array.
#include <algorithm>
#include <type_traits>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DObjectArray.h"
#include "core/lang/DSystem.h"
#include "core/lang/DcharArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DshortArray.h"

namespace nuv::lang {

namespace {

template <class Array>
void copyElements(Array* src, int32_t srcPos, Array* dst, int32_t dstPos, int32_t length) {
  if (src == nullptr || dst == nullptr) throwException(ExceptionCode::NullPointerException);
  if (srcPos < 0 || dstPos < 0 || length < 0 || srcPos > src->length || dstPos > dst->length) {
    throwException(ExceptionCode::IndexOutOfBoundsException);
  }
  // Only the destination limits the count; a short source ends the copy (or fails within one array).
  const int32_t count = std::min(length, dst->length - dstPos);
  Array& from = *src;
  Array& to = *dst;
  if (src == dst) {
    // A snapshot first, so overlapping runs copy as from the original; a run past the end fails
    // before anything is written.
    using Element = std::remove_cvref_t<decltype(from[0])>;
    std::vector<Element> snapshot;
    snapshot.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) snapshot.push_back(from[srcPos + i]);
    for (int32_t i = 0; i < count; ++i) to[dstPos + i] = snapshot[static_cast<size_t>(i)];
    return;
  }
  for (int32_t i = 0; i < count && srcPos + i < src->length; ++i) to[dstPos + i] = from[srcPos + i];
}

}  // namespace

void DSystem::arraycopy(DPtr<DObjectArray> src, int32_t srcPos, DPtr<DObjectArray> dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src.get(), srcPos, dst.get(), dstPos, length);
}

void DSystem::arraycopy(DPtr<DshortArray> src, int32_t srcPos, DPtr<DshortArray> dst, int32_t dstPos, int32_t length) {
  copyElements(src.get(), srcPos, dst.get(), dstPos, length);
}

void DSystem::arraycopy(DPtr<DcharArray> src, int32_t srcPos, DPtr<DcharArray> dst, int32_t dstPos, int32_t length) {
  copyElements(src.get(), srcPos, dst.get(), dstPos, length);
}

void DSystem::arraycopy(DPtr<DintArray> src, int32_t srcPos, DPtr<DintArray> dst, int32_t dstPos, int32_t length) {
  copyElements(src.get(), srcPos, dst.get(), dstPos, length);
}

}  // namespace nuv::lang
