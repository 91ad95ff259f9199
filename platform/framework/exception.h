// Base of the framework's exceptions. They are thrown by value and caught by
// reference: catch (const CArchiveException&), or catch (const CException&)
// for any framework error.
#pragma once

#include <exception>

class CException : public std::exception {
public:
    const char* what() const noexcept override { return "framework exception"; }
};
