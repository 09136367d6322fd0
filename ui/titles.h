// The program's name and version, joined into the caption of the main
// window and the About box. Set once at start-up.
#pragma once

#include "toolkit/text.h"

extern Text g_Title;
extern Text g_Version;
extern Text g_Caption;
