// Damaged resources told apart from missing ones: bytes that cannot be decoded, or values a reader cannot
// take, are reported as an IOException whose message names where the resource lies and the resource
// ("game.dat: data/tanks/dat/mapbcl.bin: why"), the form in which the archive reports an entry it cannot
// decode. A resource that is merely missing is never reported so, but named as missing ("NAME is missing");
// damage is never dropped.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"

namespace gamelib {

class ResourceDamage {
 public:
  // The report for the resource, named where GameLib::loadFile finds it: "game.dat: data/keys.txt: why"
  // for an archive entry, the program's folder in place of the archive's name for a file beside the
  // program. For the caller to throw, or to say and delete.
  static nuv::lang::DExceptionBase* report(nuv::lang::DStringPtr name, nuv::lang::DStringPtr why);
  // Throws the report.
  [[noreturn]] static void refuse(nuv::lang::DStringPtr name, nuv::lang::DStringPtr why);
  static bool isReport(const nuv::lang::DExceptionBase& e);
  // A resource a screen cannot go without, not there: "graphics/240x320/bnc/all.txt is missing", an
  // IOException that is no report of damage, so a load that may go without it still skips it.
  [[noreturn]] static void refuseMissing(nuv::lang::DStringPtr name);

  // What a null-pointer failure cannot say: the resources looked for since the last forgetMissing and not
  // found ("graphics/240x320/bnc/splash.png is missing"), kept for the report of such a failure.
  static void noteMissing(nuv::lang::DStringPtr what);
  // Called as a screen starts: what an earlier screen did without is no concern of the next.
  static void forgetMissing();
  // A failure as a report line gives it: its name and message; a null-pointer failure without a message
  // gets the noted names: "NullPointerException (graphics/240x320/bnc/splash.png is missing)".
  static std::u16string describe(const nuv::lang::DExceptionBase& failure);

  // Runs the reading of the named resource: an exception of the Exception family raised in it becomes
  // the report for the resource, unless it is a report already. The report gives the exception's message
  // as the reason (a reader that knows what is wrong says so there), else the exception's name.
  template <class Read>
  static auto reading(nuv::lang::DStringPtr name, Read read) -> decltype(read());

  // Runs a load the caller can go on without: an exception of the given type is dropped and false
  // returned, unless it reports damage, which goes on up like any other.
  template <class Load>
  static bool skipMissing(uint32_t parent, Load load);

 private:
  [[noreturn]] static void refuse(nuv::lang::DStringPtr name, const nuv::lang::DExceptionBase& failure);
};

template <class Read>
auto ResourceDamage::reading(nuv::lang::DStringPtr name, Read read) -> decltype(read()) {
  try {
    return read();
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> failure =
        nuv::lang::catchException(e, nuv::lang::ExceptionCode::Exception);
    if (isReport(*failure)) throw failure.release();
    refuse(name, *failure);
  }
}

template <class Load>
bool ResourceDamage::skipMissing(uint32_t parent, Load load) {
  try {
    load();
    return true;
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> dropped = nuv::lang::catchException(e, parent);
    if (isReport(*dropped)) throw dropped.release();
    return false;
  }
}

}  // namespace gamelib
