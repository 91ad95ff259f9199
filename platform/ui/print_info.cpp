#include "platform/ui/print_info.h"

#include <string>

CPrintInfo::CPrintInfo()
    : m_nCurPage(1),
      m_nNumPreviewPages(1),
      m_strPageDesc("Page %u\nPages %u-%u\n"),
      m_bPreview(TRUE),
      m_nMinPage(1),
      m_nMaxPage(0xFFFF)
{
}

CString CPrintInfo::FormatPageDescription(UINT nPage, UINT nPages) const
{
    // The line for the number of pages shown.
    const std::string all = static_cast<const char*>(m_strPageDesc);
    const size_t line = nPages > 1 ? 1 : 0;
    size_t start = 0;
    for (size_t skipped = 0; skipped < line && start != std::string::npos; ++skipped) {
        start = all.find('\n', start);
        if (start != std::string::npos)
            ++start;
    }
    if (start == std::string::npos)
        return CString();
    const size_t end = all.find('\n', start);
    const std::string format = all.substr(start, end == std::string::npos ? std::string::npos : end - start);

    const UINT numbers[2] = {nPage, nPage + (nPages > 1 ? nPages - 1 : 0)};
    size_t used = 0;
    std::string text;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (c == '%' && (next == 'u' || next == 'd') && used < 2) {
            text += std::to_string(numbers[used++]);
            ++i;
        } else {
            text += c;
        }
    }
    return CString(text.c_str());
}
