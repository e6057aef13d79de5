// The MIDlet base and the global current MIDlet.
#include "shell/midlet/DMIDlet.h"

#include "platform/api/shell.h"
#include "shell/lcdui/DDisplay.h"

namespace nuv::microedition::midlet {

using nuv::lang::DPtr;
using nuv::lang::DStringPtr;

namespace {

DMIDletPtr currentMIDlet;

bool startsWith(const nuv::lang::DString& text, std::u16string_view prefix) {
  return text.view().substr(0, prefix.size()) == prefix;
}

}  // namespace

DMIDlet::DMIDlet() { currentMIDlet = this; }

DMIDlet::~DMIDlet() {
  // Only a global that still names this object can be cleared; its count is already gone.
  if (currentMIDlet.get() == this) currentMIDlet.detach();
  display = nullptr;
}

DStringPtr DMIDlet::getAppProperty(DStringPtr) { return nullptr; }

bool DMIDlet::platformRequest(DStringPtr url) {
  if (url.isNull()) return false;
  DStringPtr address = url;
  if (!startsWith(*url, u"http://") && !startsWith(*url, u"https://")) address = u"http://" + url->toLowerCase();
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.lpFile = address->chars();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) == TRUE;
}

DMIDlet* DMIDlet::current() { return currentMIDlet.get(); }

void DMIDlet::releaseCurrent() { currentMIDlet = nullptr; }

}  // namespace nuv::microedition::midlet
