#ifndef ZELBRIN_TESTS_NUMBERS_H
#define ZELBRIN_TESTS_NUMBERS_H

#include <windows.h>

#include <string>
#include <vector>

// The texts of first..last in a wsprintfA format, as the pickers list them.
inline std::vector<std::string> Numbers(int first, int last, const char *format)
{
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n) {
        char text[16];
        wsprintfA(text, format, n);
        numbers.push_back(text);
    }
    return numbers;
}

#endif
