// The program's two print streams.
#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"

namespace nuv::lang {

DPtr<nuv::io::DPrintStream> DSystem::out;
DPtr<nuv::io::DPrintStream> DSystem::err;

}  // namespace nuv::lang
