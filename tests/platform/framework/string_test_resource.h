// Strings of the string test program.
#pragma once

#define IDS_TEST_SHORT 101
#define IDS_TEST_EMPTY_NEIGHBOUR 102
// No string has this number.
#define IDS_TEST_MISSING 103
// "0123456789" 30 times: more than the first buffer holds.
#define IDS_TEST_LONG 104
// "abcdefghij" 500 times: more than the second buffer holds.
#define IDS_TEST_VERY_LONG 105
