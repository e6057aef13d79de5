// System services: array copying, the property tables and the clock.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::io {
class DPrintStream;
}

namespace nuv::lang {

class DObjectArray;
class DshortArray;
class DcharArray;
class DintArray;

class DSystem {
 public:
  DSystem() = delete;

  // Copies length elements from src[srcPos] to dst[dstPos]; a copy within one array reads a snapshot.
  static void arraycopy(DPtr<DObjectArray> src, int32_t srcPos, DPtr<DObjectArray> dst, int32_t dstPos, int32_t length);
  static void arraycopy(DPtr<DshortArray> src, int32_t srcPos, DPtr<DshortArray> dst, int32_t dstPos, int32_t length);
  static void arraycopy(DPtr<DcharArray> src, int32_t srcPos, DPtr<DcharArray> dst, int32_t dstPos, int32_t length);
  static void arraycopy(DPtr<DintArray> src, int32_t srcPos, DPtr<DintArray> dst, int32_t dstPos, int32_t length);

  // A new string, or null for an unknown key.
  static DStringPtr getProperty(DStringPtr key);
  // -1 for an unknown key.
  static int32_t getIntProperty(DStringPtr key);
  // Milliseconds since the program started; never wraps.
  static int64_t currentTimeMillis();

  // The command line as the program entry keeps it (at most 1023 characters, a null reads as empty);
  // "app.commandline" answers it. Empty until set.
  static void setCommandLine(const char16_t* commandLine);
  // The engine's event-based-loop flag, answered by "system.eventbasedloop". Off until set.
  static void setEventBasedLoop(bool on);

  // The program's output and error streams, made by the engine's start and released by its shutdown.
  static DPtr<nuv::io::DPrintStream> out;
  static DPtr<nuv::io::DPrintStream> err;
};

}  // namespace nuv::lang
