#include "command/desktop/key_names.h"

namespace desktop {

namespace {

struct KeyName {
    const char* name;
    BYTE code;
};

// Searched in this order.
constexpr KeyName kKeyNames[] = {
    {"bksp", 0x08},      {"break", 0x03},     {"capslock", 0x14},  {"clear", 0x0C},    {"delete", 0x2E},
    {"down", 0x28},      {"end", 0x23},       {"enter", 0x0D},     {"esc", 0x1B},      {"help", 0x2F},
    {"home", 0x24},      {"insert", 0x2D},    {"left", 0x25},      {"numlock", 0x90},  {"pgdn", 0x22},
    {"pgup", 0x21},      {"prtsc", 0x2C},     {"pause", 0x13},     {"right", 0x27},    {"tab", 0x09},
    {"up", 0x26},        {"scroll", 0x91},    {"F1", 0x70},        {"F2", 0x71},       {"F3", 0x72},
    {"F4", 0x73},        {"F5", 0x74},        {"F6", 0x75},        {"F7", 0x76},       {"F8", 0x77},
    {"F9", 0x78},        {"F10", 0x79},       {"F11", 0x7A},       {"F12", 0x7B},      {"F13", 0x7C},
    {"F14", 0x7D},       {"F15", 0x7E},       {"F16", 0x7F},       {"F17", 0x80},      {"F18", 0x81},
    {"F19", 0x82},       {"F20", 0x83},       {"F21", 0x84},       {"F22", 0x85},      {"F23", 0x86},
    {"F24", 0x87},       {"numpad0", 0x60},   {"numpad1", 0x61},   {"numpad2", 0x62},  {"numpad3", 0x63},
    {"numpad4", 0x64},   {"numpad5", 0x65},   {"numpad6", 0x66},   {"numpad7", 0x67},  {"numpad8", 0x68},
    {"numpad9", 0x69},   {"multiply", 0x6A},  {"add", 0x6B},       {"separator", 0x6C}, {"subtract", 0x6D},
    {"decimal", 0x6E},   {"divide", 0x6F},    {"lwin", 0x5B},      {"rwin", 0x5C},     {"apps", 0x5D},
    {"delay", kPseudoDelay},
    {"date", kPseudoDate},
    {"time", kPseudoTime},
    {"day", kPseudoDay},
    {"month", kPseudoMonth},
    {"year", kPseudoYear},
    {"hour", kPseudoHour},
    {"minute", kPseudoMinute},
    {"second", kPseudoSecond},
    {"activate", kPseudoActivate},
    {"fdate", kPseudoFormattedDate},
};

}  // namespace

bool IsPseudoKey(BYTE code)
{
    return code >= kPseudoDelay && code <= kPseudoFormattedDate;
}

BYTE FindKeyCode(const char* name)
{
    for (const KeyName& key : kKeyNames) {
        if (lstrcmpiA(key.name, name) == 0)
            return key.code;
    }
    return 0;
}

int KeyNameCount()
{
    return static_cast<int>(sizeof kKeyNames / sizeof kKeyNames[0]);
}

}  // namespace desktop
