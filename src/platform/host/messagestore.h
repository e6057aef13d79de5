// The device's store of short messages, kept as files in the user's data folder:
//   <data folder>/messages/inbox/    messages received: one file each, dropped in by tests or other programs
//   <data folder>/messages/outbox/   messages sent: one file each, written by the short-message library
// A message file is UTF-8 text: header lines ("From: +15551234" in the inbox, "To: ..." in the outbox),
// an empty line, then the text. Its delivery time is the file's modification time. Names beginning with
// "." are ignored, so a writer can write under such a name and then rename. Only regular files directly
// inside the two folders are read (links are not followed), and nothing outside the store is touched.
// Internal to the stand-in: the messaging store (api/mapi.cpp) and the short-message library
// (api/sms.cpp) stand on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::messagestore {

enum class Folder { Inbox, Outbox };

inline constexpr char kStoreFolder[] = "messages";
inline constexpr char kInboxFolder[] = "inbox";
inline constexpr char kOutboxFolder[] = "outbox";
// Files larger than this are not messages and are skipped.
inline constexpr int64_t kMaxFileBytes = 64 * 1024;

struct Message {
  std::string name;        // the file name inside its folder
  std::u16string address;  // "From" in the inbox, "To" in the outbox
  std::u16string text;
  uint64_t deliveryTime;  // 100-nanosecond intervals since 1601-01-01 (the handheld's file time)
};

// The store's folder (made, with its two folders, when missing); empty when it cannot be used.
std::string open();
// The messages of a folder, in no particular order; unreadable or malformed files are skipped.
std::vector<Message> list(Folder folder);
// Writes a message into the folder under a new name, which is returned; empty on failure.
std::string write(Folder folder, std::u16string_view address, std::u16string_view text);
// Whether a name could be a message file of the store: no separators, no leading dot.
bool isMessageName(std::string_view name);

// Announces every file of either folder that list would read as a message, once, on a thread of the
// store. A file that becomes one later (completed in place) is announced then; a name that was deleted
// and is used again names a new message.
class Watcher {
 public:
  using Arrival = std::function<void(Folder folder, const std::string& name)>;

  // Messages present now are known and not announced. False when the folders cannot be watched.
  static std::unique_ptr<Watcher> start(Arrival arrival);
  // After it returns no announcement runs.
  virtual ~Watcher() = default;
  // Announces, on the calling thread, every file the watcher has not announced yet.
  virtual void settle() = 0;
};

}  // namespace platform::messagestore
