#include "ui/titles.h"

Text g_Title;
Text g_Version;
Text g_Caption;
