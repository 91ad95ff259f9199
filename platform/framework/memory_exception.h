// CMemoryException: an allocation failed.
#pragma once

#include "platform/framework/exception.h"

class CMemoryException : public CException {
public:
    const char* what() const noexcept override { return "out of memory"; }
};

[[noreturn]] inline void AfxThrowMemoryException()
{
    throw CMemoryException();
}
