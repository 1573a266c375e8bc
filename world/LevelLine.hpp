#pragma once

#include <cstddef>
#include <sstream>
#include <string>

// One content line of a level file, read word by word: a word is a run of
// non-blank characters, and words after those a line needs are ignored. Both
// readers of level files (the level and its preview) use it, so that a line
// lacking a word it needs, or a number that can't be one, ends the program
// with the same message naming the level file, the line number and its text.
class LevelLine {
public:
    // number counts the file's lines from 1.
    LevelLine(const std::string& path, std::size_t number, const std::string& text);

    // "Level PATH - WHAT on line N: TEXT".
    [[noreturn]] void fail(const std::string& what);

    // False when the line has no more words.
    bool tryWord(std::string& word);
    // The next word; fatal when there is none.
    std::string word();
    // The first non-blank character; the next word begins right after it.
    char character();

    // Optional sign and decimal digits at the start of the next word, whatever
    // follows them ignored; fatal when the word is missing, does not begin
    // with a number or is beyond an int.
    int integer();
    int toInteger(const std::string& word);
    // A value computed from the line, truncated toward zero; it must fit an int.
    int truncate(float value);

    // The next word read as an integer that is 0 or 1. Never fatal: false
    // when the word is missing or anything else, and the value is kept.
    bool tryBoolean(bool& value);

private:
    const std::string& path;
    std::size_t number;
    const std::string& text;
    std::istringstream words;
};
