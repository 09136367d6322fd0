#include "cli/values.h"

#include <cctype>

#include "cli/quoted.h"

std::string Lowercase(std::string word) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

std::optional<BarType> ParseBar(const std::string& word) {
    const std::string bar = Lowercase(word);
    if (bar == "standard" || bar == "standard125") return BarType::Standard125;
    if (bar == "pro" || bar == "pro175") return BarType::Pro175;
    if (bar == "prenotched" || bar == "pre-notched") return BarType::PreNotched;
    return std::nullopt;
}

std::optional<int> ParseWholeNumber(const std::string& word, int largest) {
    int number = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || number > largest) return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > largest) return std::nullopt;
    return number;
}

std::string ReadLengthValue(const std::string& name, const std::string& word, bool zeroAllowed,
                            Nanometres largest, Nanometres& length) {
    // "-5" and "-5mm" are lengths out of range, not words.
    const bool negative = !word.empty() && word[0] == '-' && ReadLength(word.substr(1));
    const std::optional<Nanometres> read = ReadLength(word);
    if (!negative && !read) {
        return name + " " + Quoted(word) + " is not a length (a number, in inches unless mm, cm or in follows it)";
    }
    if (negative || (*read == 0 && !zeroAllowed) || *read > largest) {
        return name + " " + Quoted(word) + " is out of range (" + (zeroAllowed ? "from 0" : "above 0") +
               " and at most " + LengthText(largest, Unit::Inch) + " in or " + LengthText(largest, Unit::Millimetre) +
               " mm)";
    }
    length = *read;
    return std::string();
}
