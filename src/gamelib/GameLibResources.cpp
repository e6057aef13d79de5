// Finding resources: the archive under the bare name and the screen size's directory prefixes, then files
// beside the program; pictures as PNG or else JPEG.
#include <memory>

#include "core/io/D7zipInputStream.h"
#include "core/io/DFileInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "gamelib/GameLib.h"

namespace gamelib {

using nuv::io::D7zipInputStream;
using nuv::io::DFileInputStream;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

DStringPtr withoutLeadingSlash(DStringPtr name) { return name->startsWith(u"/") ? name->substring(1) : name; }

int32_t pathCount() { return GameLib::pathList.isNull() ? 0 : GameLib::pathList->length; }

// The name itself for i = -1, else prefix i + name.
DStringPtr candidate(DStringPtr name, int32_t i) { return i < 0 ? name : (*GameLib::pathList)[i] + name; }

// False also when no archive is open.
bool isArchiveEntry(DStringPtr name) {
  try {
    return D7zipInputStream::getSize(name) >= 0;
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    return false;
  }
}

}  // namespace

DInputStreamPtr GameLib::loadFile(DStringPtr name) {
  name = withoutLeadingSlash(name);
  int32_t n = pathCount();
  for (int32_t i = -1; i < n; ++i) {
    DStringPtr entry = candidate(name, i);
    // An entry the archive lists but cannot decode is damage, not absence: its report goes to the caller.
    if (isArchiveEntry(entry)) return D7zipInputStream::open(entry);
  }
  for (int32_t i = -1; i < n; ++i) {
    try {
      DStringPtr file = candidate(name, i);
      if (!file->startsWith(u"/")) file = u"/" + file;
      DInputStreamPtr stream = DFileInputStream::open(file);
      if (!stream.isNull()) return stream;
    } catch (DExceptionBase* e) {
      catchException(e, ExceptionCode::Exception);
    }
  }
  return nullptr;
}

DStringPtr GameLib::findInPath(DStringPtr dir, DStringPtr name) {
  int32_t n = pathCount();
  for (int32_t i = 0; i < n; ++i) {
    DStringPtr prefix = dir + (*pathList)[i];
    if (D7zipInputStream::getSize(prefix + name) >= 0) return prefix;
  }
  return nullptr;
}

DStringPtr GameLib::resolvePath(DStringPtr dir, DStringPtr name) {
  DStringPtr prefix = findInPath(dir, name);
  return prefix.isNull() ? nullptr : prefix + name;
}

DStringPtr GameLib::resolveImagePath(DStringPtr dir, DStringPtr name) {
  DStringPtr prefix = findInPath(dir, name);
  if (prefix.isNull()) prefix = findInPath(dir, name + u".png");
  if (prefix.isNull()) prefix = findInPath(dir, name + u".jpg");
  return prefix.isNull() ? nullptr : prefix + name;
}

DImagePtr GameLib::loadImageFile(DStringPtr path) {
  for (const char16_t* extension : {u".png", u".jpg"}) {
    try {
      DImagePtr image = DImage::createImage(path + extension, 0);
      if (!image.isNull()) return image;
    } catch (DExceptionBase* e) {
      std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
      // A picture the archive cannot decode is damage, reported to the caller; one that is merely no
      // picture of this format lets the next format be tried.
      if (D7zipInputStream::isDamageReport(*owned)) throw owned.release();
    }
  }
  return nullptr;
}

DImagePtr GameLib::loadImage(DStringPtr name) {
  DStringPtr path = resolveImagePath(u"graphics/", withoutLeadingSlash(name));
  return path.isNull() ? nullptr : loadImageFile(path);
}

DStringPtr GameLib::resolutionFileName(int32_t width, int32_t height) {
  return (DStringPtr(u"/graphics/") + width) + (DStringPtr(u"x") + height) + u".dat";
}

}  // namespace gamelib
