#include "LevelLine.hpp"

#include "Errors.hpp"

#include <climits>
#include <cstdlib>

namespace {

// The number at the start of the word as strtoll reads it; false when the
// word does not begin with one. A number beyond a long long is clamped to its
// range, which lies beyond an int's as well.
bool leadingNumber(const std::string& word, long long& value)
{
    const char* start = word.c_str();
    char* end = nullptr;
    value = std::strtoll(start, &end, 10);
    return end != start;
}

} // namespace

LevelLine::LevelLine(const std::string& path, std::size_t number, const std::string& text)
    : path(path), number(number), text(text), words(text)
{
}

void LevelLine::fail(const std::string& what)
{
    fatalError("Level " + path + " - " + what + " on line " + std::to_string(number) + ": " + text);
}

bool LevelLine::tryWord(std::string& word) { return bool(words >> word); }

std::string LevelLine::word()
{
    std::string word;
    if (!tryWord(word))
        fail("missing word");
    return word;
}

char LevelLine::character()
{
    char c;
    if (!(words >> c))
        fail("missing word");
    return c;
}

int LevelLine::integer() { return toInteger(word()); }

int LevelLine::toInteger(const std::string& word)
{
    long long value;
    if (!leadingNumber(word, value))
        fail("not a number");
    if (value < INT_MIN || value > INT_MAX)
        fail("number out of range");
    return (int)value;
}

int LevelLine::truncate(float value)
{
    if (!(value >= -2147483648.0f && value < 2147483648.0f))
        fail("number out of range");
    return (int)value;
}

bool LevelLine::tryBoolean(bool& value)
{
    std::string word;
    long long number;
    if (!tryWord(word) || !leadingNumber(word, number) || (number != 0 && number != 1))
        return false;
    value = number == 1;
    return true;
}
