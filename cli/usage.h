// What corvalin-calc --help prints.
#pragma once

extern const char* const kUsage;
