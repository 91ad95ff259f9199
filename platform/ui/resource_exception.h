// CResourceException: a window, a window class or another system resource
// could not be had.
#pragma once

#include "platform/framework/exception.h"

class CResourceException : public CException {
public:
    const char* what() const noexcept override { return "a system resource could not be obtained"; }
};

[[noreturn]] inline void AfxThrowResourceException()
{
    throw CResourceException();
}
