// Reports of damaged resources, named like the archive's own.
#include "gamelib/ResourceDamage.h"

#include <string>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"

namespace gamelib {

using nuv::io::D7zipInputStream;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

// A file beside the program is named after the program's folder, as an entry is after the archive.
std::u16string programFolder() {
  DStringPtr folder = nuv::lang::DSystem::getProperty(u"app.fullpath");
  return folder.isNull() ? std::u16string() : std::u16string(folder->view());
}

// What was looked for and not found since the screen started; the main thread's alone.
constexpr size_t kNotedShown = 3;
std::vector<std::u16string> noted;
size_t notedMore = 0;

}  // namespace

void ResourceDamage::noteMissing(DStringPtr what) {
  const std::u16string text(what->view());
  for (const std::u16string& n : noted) {
    if (n == text) return;
  }
  if (noted.size() < kNotedShown) {
    noted.push_back(text);
  } else {
    ++notedMore;
  }
}

void ResourceDamage::forgetMissing() {
  noted.clear();
  notedMore = 0;
}

std::u16string ResourceDamage::describe(const DExceptionBase& failure) {
  std::u16string text(nuv::lang::getExceptionName(failure.code()));
  if (failure.message()[0] != 0) return text + u" " + failure.message();
  if (failure.code() != ExceptionCode::NullPointerException || noted.empty()) return text;
  text += u" (";
  for (size_t i = 0; i < noted.size(); ++i) text += (i == 0 ? u"" : u"; ") + noted[i];
  if (notedMore > 0) text += u"; ...";
  return text + u")";
}

DExceptionBase* ResourceDamage::report(DStringPtr name, DStringPtr why) {
  bool inArchive = false;
  DStringPtr found = GameLib::locateFile(name, inArchive);
  // Found nowhere (gone since it was read): named as the archive's.
  if (found.isNull()) {
    found = name;
    inArchive = D7zipInputStream::isArchiveOpen();
  }
  if (inArchive) return D7zipInputStream::damageReport(found, why->chars());
  DStringPtr file = found->startsWith(u"/") ? found->substring(1) : found;
  return new DExceptionBase(ExceptionCode::IOException, u"%s: %s: %s", programFolder().c_str(), file->chars(),
                            why->chars());
}

void ResourceDamage::refuse(DStringPtr name, DStringPtr why) { throw report(name, why); }

void ResourceDamage::refuse(DStringPtr name, const DExceptionBase& failure) {
  // A reader's own reason, else what failed.
  refuse(name, failure.message()[0] != 0 ? DStringPtr(failure.message()) : DStringPtr(describe(failure).c_str()));
}

void ResourceDamage::refuseMissing(DStringPtr name) {
  DStringPtr shown = name->startsWith(u"/") ? name->substring(1) : name;
  // A caller that goes on without it may meet its absence later as a null pointer.
  noteMissing(shown + u" is missing");
  throw new DExceptionBase(ExceptionCode::IOException, u"%s is missing", shown->chars());
}

bool ResourceDamage::isReport(const DExceptionBase& e) {
  if (D7zipInputStream::isDamageReport(e)) return true;
  const std::u16string folder = programFolder() + u": ";
  const std::u16string_view message(e.message());
  return e.code() == ExceptionCode::IOException && !programFolder().empty() && message.size() > folder.size() &&
         message.substr(0, folder.size()) == folder;
}

}  // namespace gamelib
