// Message boxes on stderr and, when the desktop has a display, as a dialog.
#include "platform/api/msgbox.h"

#include <cstdio>
#include <string>

#include "platform/host/desktop.h"
#include "platform/host/text.h"

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  std::string body = platform::toUtf8(text ? text : u"");
  std::string title = platform::toUtf8(caption ? caption : u"Error");
  // The handheld's line breaks are "\r\n"; a terminal wants "\n" alone.
  std::erase(body, '\r');
  std::fprintf(stderr, "GlimmerHut: %s %s\n", title.c_str(), body.c_str());
  if (!platform::isHeadless()) platform::showDesktopError(title, body);
  return IDOK;
}
