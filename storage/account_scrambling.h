// The scrambling of stored account texts (user names, login names and
// passwords) in the task files and the settings file. It only keeps the texts
// from being read at a glance; it is no protection.
#pragma once

#include "platform/framework/string.h"

// The shift both records use. Every byte outside 2k ... 3k (k the shift)
// comes back unchanged; with k = 1 only the control characters 2 and 3 do
// not, so every printable and accented character survives.
constexpr int kAccountScrambleShift = 1;

// Byte by byte, each byte taken as an unsigned value v: v - k when that is
// not negative, else v + k. The result has as many bytes as the input.
CString ScrambleAccountText(const CString& text, int shift);
// The reverse: v - k when k <= v <= 2k, else v + k.
CString UnscrambleAccountText(const CString& text, int shift);
