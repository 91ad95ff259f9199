#include "case_check.h"

#include "message_pump.h"
#include "screenshot.h"

bool CaseCheck::That(bool ok, const std::string& detail)
{
    if (!ok) {
        // One result line per case: a detail must not break it.
        std::string line = detail.empty() ? "failed" : detail;
        for (char& c : line) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        m_failures.push_back(line);
    }
    return ok;
}

std::string CaseCheck::Detail() const
{
    std::string joined;
    for (const std::string& failure : m_failures) {
        if (!joined.empty())
            joined += "; ";
        joined += failure;
    }
    return joined;
}

void CheckAndSavePicture(CaseCheck& check, HWND window, const char* name)
{
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(200);
    const Image image = CaptureWindow(window);
    check.That(!image.Empty() && image.DistinctColors() > 2, "the frame's picture shows nothing");
    check.That(!SaveScreenshot(image, name).empty(), "the frame's picture could not be saved");
}
