// The handheld's system calls as the stand-in offers them.
#pragma once

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/handle.h"
#include "platform/module.h"
#include "platform/msgbox.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/resources.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/sysinfo.h"
#include "platform/version.h"
#include "platform/window.h"
#include "platform/wintypes.h"
