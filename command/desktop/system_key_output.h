// Key text going to the real keyboard input of the desktop.
#pragma once

#include <atomic>

#include "command/desktop/key_text.h"

namespace desktop {

class CSystemKeyOutput : public KeyOutput {
public:
    // The flag the run sets when it is asked to stop; none: never stopped.
    explicit CSystemKeyOutput(const std::atomic<bool>* stopRequested) : m_stopRequested(stopRequested) {}

    // Synthesises one key event with the scan code of the key; every key
    // outside the numeric keypad (0x60 to 0x6F) is marked extended.
    void PressKey(BYTE code, bool down) override;
    void Pause(long milliseconds) override;
    SHORT TranslateCharacter(char c) override;
    bool IsCapsLockOn() override;
    int ActivateWindow(const CString& title) override;
    std::time_t Now() override;
    bool StopRequested() override;

private:
    const std::atomic<bool>* m_stopRequested;
};

}  // namespace desktop
