#pragma once

#include <cstddef>

// The built-in table of standard system error texts, codes strictly ascending.
// The platform's own message table cannot serve: on some systems it is not
// English, and emulators word the texts differently.
struct SystemErrorTextRow {
    unsigned long code;
    const char* text;
};

extern const SystemErrorTextRow kSystemErrorTexts[];
extern const std::size_t kSystemErrorTextCount;
