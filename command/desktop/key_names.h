// The names a key text may give in braces ("{enter}", "{tab 3}", "{date 1}").
#pragma once

#include <windows.h>

namespace desktop {

// Codes above the last virtual key that stand for actions, not keys.
enum PseudoKey : BYTE {
    kPseudoDelay = 0x93,
    kPseudoDate = 0x94,
    kPseudoTime = 0x95,
    kPseudoDay = 0x96,
    kPseudoMonth = 0x97,
    kPseudoYear = 0x98,
    kPseudoHour = 0x99,
    kPseudoMinute = 0x9A,
    kPseudoSecond = 0x9B,
    kPseudoActivate = 0x9C,
    kPseudoFormattedDate = 0x9D,
};

bool IsPseudoKey(BYTE code);

// The code of a key name, compared without regard to case; 0 when the name
// is not in the table.
BYTE FindKeyCode(const char* name);

// The number of names in the table.
int KeyNameCount();

}  // namespace desktop
