// The values options and the fields of an orders file take, read the same
// way wherever they are given.
#pragma once

#include <optional>
#include <string>

#include "calc/length.h"
#include "calc/wrap.h"

constexpr Nanometres kLargestSize = 1000 * kNanometresPerInch;

std::string Lowercase(std::string word);

// standard, pro, prenotched or pre-notched, or the table's Standard125,
// Pro175 and PreNotched, in any case.
std::optional<BarType> ParseBar(const std::string& word);

// Digits only, from 1 to `largest`.
std::optional<int> ParseWholeNumber(const std::string& word, int largest);

// The length `word`, given as `name` (a size, gap or margin), into `length`
// in whole nanometres (see ReadLength); returns what is wrong with it, or
// the empty text. A length must be above 0, or 0 or above where
// `zeroAllowed`, and at most `largest`.
std::string ReadLengthValue(const std::string& name, const std::string& word, bool zeroAllowed,
                            Nanometres largest, Nanometres& length);
