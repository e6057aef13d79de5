// Finding resources: the archive under the bare name and the screen size's directory prefixes, then files
// beside the program, read whole like an archive entry; pictures as PNG or else JPEG.
#include <memory>
#include <string_view>

#include "core/io/D7zipInputStream.h"
#include "core/io/DByteArrayInputStream.h"
#include "core/io/DFileInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DbyteArray.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"

namespace gamelib {

using nuv::io::D7zipInputStream;
using nuv::io::DByteArrayInputStream;
using nuv::io::DFileInputStream;
using nuv::io::DFileInputStreamPtr;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr const char16_t* kNoPicture = u"not a PNG or JPEG picture";

DStringPtr withoutLeadingSlash(DStringPtr name) { return name->startsWith(u"/") ? name->substring(1) : name; }

// A picture that is nowhere, named as its PNG under the path list's first prefix.
DStringPtr missingPicture(DStringPtr name) {
  return GameLib::firstCandidate(u"graphics/", withoutLeadingSlash(name)) + u".png";
}

int32_t pathCount() { return GameLib::pathList.isNull() ? 0 : GameLib::pathList->length; }

// The name itself for i = -1, else prefix i + name.
DStringPtr candidate(DStringPtr name, int32_t i) { return i < 0 ? name : (*GameLib::pathList)[i] + name; }

// None also when no archive is open.
D7zipInputStream::Entry archiveEntry(DStringPtr name) {
  try {
    return D7zipInputStream::find(name);
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    return {};
  }
}

// Where findInPath finds the name, with the entry found there: a null prefix when it is nowhere.
struct InPath {
  DStringPtr prefix;
  D7zipInputStream::Entry entry;
};

InPath entryInPath(DStringPtr dir, DStringPtr name) {
  int32_t n = pathCount();
  for (int32_t i = 0; i < n; ++i) {
    DStringPtr prefix = dir + (*GameLib::pathList)[i];
    D7zipInputStream::Entry entry = D7zipInputStream::find(prefix + name);
    if (entry.found()) return {prefix, entry};
  }
  return {};
}

// resolveImagePath's search: the name as it is, then as PNG, then as JPEG; the path found (without the
// extension), the extension under which it was found and that entry.
struct ImageInPath {
  DStringPtr path;
  const char16_t* extension = nullptr;
  D7zipInputStream::Entry entry;
};

ImageInPath imageInPath(DStringPtr dir, DStringPtr name) {
  for (const char16_t* extension : {u"", u".png", u".jpg"}) {
    InPath found = entryInPath(dir, name + extension);
    if (!found.prefix.isNull()) return {found.prefix + name, extension, found.entry};
  }
  return {};
}

}  // namespace

DStringPtr GameLib::locateFile(DStringPtr name, bool& inArchive, DFileInputStreamPtr* opened) {
  return locate(name, inArchive, opened, nullptr);
}

DStringPtr GameLib::locate(DStringPtr name, bool& inArchive, DFileInputStreamPtr* opened,
                           D7zipInputStream::Entry* found) {
  name = withoutLeadingSlash(name);
  int32_t n = pathCount();
  inArchive = true;
  for (int32_t i = -1; i < n; ++i) {
    DStringPtr entry = candidate(name, i);
    D7zipInputStream::Entry listed = archiveEntry(entry);
    if (!listed.found()) continue;
    if (found != nullptr) *found = listed;
    return entry;
  }
  inArchive = false;
  for (int32_t i = -1; i < n; ++i) {
    DStringPtr file = candidate(name, i);
    if (!file->startsWith(u"/")) file = u"/" + file;
    try {
      DFileInputStreamPtr stream = DFileInputStream::open(file);
      if (opened != nullptr) {
        *opened = stream;
      } else {
        stream->close();
      }
      return file;
    } catch (DExceptionBase* e) {
      catchException(e, ExceptionCode::Exception);
    }
  }
  return nullptr;
}

DInputStreamPtr GameLib::loadFile(DStringPtr name) {
  bool inArchive = false;
  DFileInputStreamPtr file;
  D7zipInputStream::Entry entry;
  DStringPtr found = locate(name, inArchive, &file, &entry);
  if (found.isNull()) return nullptr;
  // An entry the archive lists but cannot decode is damage, not absence: its report goes to the caller.
  if (inArchive) return D7zipInputStream::open(entry);
  // Read whole, as the archive hands out its entries: a reader then meets the end of the data in the
  // same way wherever the resource lies.
  return ResourceDamage::reading(found, [&] {
    const int32_t size = file->available();
    DbyteArrayPtr bytes = new DbyteArray(size);
    int32_t done = 0;
    while (done < size) {
      const int32_t got = file->readBuffer(reinterpret_cast<unsigned char*>(bytes->data()) + done, size - done);
      if (got <= 0) break;
      done += got;
    }
    file->close();
    if (done < size) ResourceDamage::refuse(found, u"the file ends before its size");
    return DInputStreamPtr(new DByteArrayInputStream(bytes));
  });
}

DStringPtr GameLib::findInPath(DStringPtr dir, DStringPtr name) { return entryInPath(dir, name).prefix; }

DStringPtr GameLib::resolvePath(DStringPtr dir, DStringPtr name) {
  DStringPtr prefix = findInPath(dir, name);
  return prefix.isNull() ? nullptr : prefix + name;
}

DStringPtr GameLib::resolveImagePath(DStringPtr dir, DStringPtr name) { return imageInPath(dir, name).path; }

DImagePtr GameLib::createPicture(DStringPtr name, bool& undecodable, const D7zipInputStream::Entry* entry) {
  undecodable = false;
  try {
    return entry != nullptr ? DImage::createImage(name, 0, *entry) : DImage::createImage(name, 0);
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
    // An entry the archive cannot decode is reported at once.
    if (ResourceDamage::isReport(*owned)) throw owned.release();
    undecodable = owned->code() != ExceptionCode::NullPointerException;
    return nullptr;
  }
}

DImagePtr GameLib::loadImageFile(DStringPtr path) { return loadImageFile(path, nullptr, {}); }

DImagePtr GameLib::loadImageFile(DStringPtr path, const char16_t* foundAs, const D7zipInputStream::Entry& found) {
  // A picture that is no picture of its format lets the next format be tried; when none stands in for
  // it, it is damage.
  DStringPtr undecodable;
  for (const char16_t* extension : {u".png", u".jpg"}) {
    bool broken = false;
    const bool known = foundAs != nullptr && std::u16string_view(foundAs) == extension;
    DImagePtr image = createPicture(path + extension, broken, known ? &found : nullptr);
    if (!image.isNull()) return image;
    if (broken && undecodable.isNull()) undecodable = path + extension;
  }
  if (!undecodable.isNull()) ResourceDamage::refuse(undecodable, kNoPicture);
  return nullptr;
}

DStringPtr GameLib::firstCandidate(DStringPtr dir, DStringPtr name) {
  return pathCount() == 0 ? dir + name : (dir + (*pathList)[0]) + name;
}

DImagePtr GameLib::loadImage(DStringPtr name) {
  // The entry the search finds goes on to the decoder, which then opens it without a second look-up.
  ImageInPath found = imageInPath(u"graphics/", withoutLeadingSlash(name));
  if (found.path.isNull()) {
    // A screen may go without it; if it cannot, its null-pointer failure names what was not there.
    ResourceDamage::noteMissing(missingPicture(name) + u" is missing");
    return nullptr;
  }
  return loadImageFile(found.path, found.extension, found.entry);
}

DImagePtr GameLib::requireImage(DStringPtr name) {
  DImagePtr image = loadImage(name);
  if (image.isNull()) ResourceDamage::refuseMissing(missingPicture(name));
  return image;
}

DStringPtr GameLib::resolutionFileName(int32_t width, int32_t height) {
  return (DStringPtr(u"/graphics/") + width) + (DStringPtr(u"x") + height) + u".dat";
}

}  // namespace gamelib
