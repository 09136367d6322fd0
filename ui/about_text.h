// The text of the About box: the caption, the author notice with its years,
// the maker and the maker's web address, one per line, each break a lone
// carriage return (the message box breaks lines at it).
#pragma once

#include "toolkit/text.h"

// dateText ends in the year, as CurrentDateText gives it. In 2017 the notice
// shows that year alone and an empty line follows it; in any other year it
// shows the range "2017-YYYY".
Text BuildAboutText(const Text& caption, const Text& dateText);
