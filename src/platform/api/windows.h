// The handheld's system calls as the stand-in offers them.
#pragma once

#include "platform/api/file.h"
#include "platform/api/handle.h"
#include "platform/api/module.h"
#include "platform/api/msgbox.h"
#include "platform/api/registry.h"
#include "platform/api/resources.h"
#include "platform/api/settings.h"
#include "platform/api/shell.h"
#include "platform/api/sysinfo.h"
#include "platform/api/tickcount.h"
#include "platform/api/version.h"
#include "platform/api/window.h"
#include "platform/types.h"
