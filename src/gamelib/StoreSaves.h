// The game library's record stores as the game last saved them. A save the registry cannot take now
// (another program holds the settings file) is kept, answered to the loads that follow, and written at
// the next save or at the end of the run; damage found in a stored record is told once per store.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"

namespace gamelib {

class StoreSaves {
 public:
  StoreSaves() = delete;

  using Records = std::vector<nuv::lang::DbyteArrayPtr>;
  // For a save made over records the game could not read: what to write, given the records stored.
  using Merge = std::function<Records(const Records& stored)>;

  // Records 1 to n of the store become these (or what merge makes of the stored ones, where the store
  // holds some): replaced where the store holds them, added where not. The saves kept before are
  // written first; this one is kept when it cannot be made.
  static void save(const nuv::lang::DStringPtr& store, Records records, Merge merge = {});
  // Records 1 to count of the store (opened, and made when missing): those of its kept save, else the
  // registry's; none when the store holds no record. A record missing from the registry throws as
  // DRecordStore::getRecord does. known, when given, turns false when what the store holds is not known:
  // the registry cannot be read, and the kept save that answers is one made over unread records.
  static Records load(const nuv::lang::DStringPtr& store, int32_t count, bool* known = nullptr);
  // At the end of the run: the saves still kept are written, or named on stderr as not saved.
  static void writeKept();
  // "GlimmerHut: the record store NAME is damaged: what" on stderr, once a run for each store until a
  // save of it is written.
  static void damaged(const nuv::lang::DStringPtr& store, const std::string& what);
};

}  // namespace gamelib
