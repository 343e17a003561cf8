// The whole Windows stand-in in one include, for code written against it.
// Depends on: every public header of the platform but GDI+'s (gdiplus.h). Declares nothing itself.
#pragma once

#include "platform/wintypes.h"
#include "platform/kernel32.h"
#include "platform/gdi32.h"
#include "platform/user32.h"
#include "platform/syslibs.h"
#include "platform/windowing.h"
#include "platform/resources.h"
