#include <cstring>

#include "toolkit/foundation/global_data.h"

namespace {

// The system's non-client metrics in the size that every system version
// accepts (without the padded border width of later versions).
constexpr UINT kNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == kNonClientMetricsSize,
              "the old NONCLIENTMETRICS layout");

bool ReadNonClientMetrics(NONCLIENTMETRICSA* metrics)
{
    std::memset(metrics, 0, sizeof(*metrics));
    metrics->cbSize = kNonClientMetricsSize;
    return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, metrics, 0) != FALSE;
}

void SetFace(LOGFONTA* font, LPCSTR face)
{
    lstrcpynA(font->lfFaceName, face, LF_FACESIZE);
}

int CALLBACK FoundFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<BOOL*>(found) = TRUE;
    return 0;
}

// tmHeight + 2 of a font on the screen.
int TextHeight(HDC screen, CFont& font)
{
    if (!font.GetSafeHandle())
        return 0;
    HGDIOBJ previous = ::SelectObject(screen, font.GetSafeHandle());
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, previous);
    return metrics.tmHeight + 2;
}

}  // namespace

BOOL CWtkGlobalData::IsFontFamilyInstalled(LPCSTR lpszFace) const
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return FALSE;
    // The system compares family names without regard to case.
    BOOL found = FALSE;
    ::EnumFontFamiliesA(screen, lpszFace, FoundFamily, reinterpret_cast<LPARAM>(&found));
    ::ReleaseDC(nullptr, screen);
    return found;
}

void CWtkGlobalData::DeleteFonts()
{
    for (CFont* font : {&m_fontRegular, &m_fontStatus, &m_fontBold, &m_fontUnderline, &m_fontVert,
                        &m_fontVertReversed, &m_fontMarlett})
        font->DeleteObject();
}

void CWtkGlobalData::UpdateFonts()
{
    DeleteFonts();

    NONCLIENTMETRICSA metrics;
    ReadNonClientMetrics(&metrics);
    const LOGFONTA& menu = metrics.lfMenuFont;

    HDC screen = ::GetDC(nullptr);
    LOGFONTA regular = {};
    regular.lfHeight = menu.lfHeight;
    regular.lfWeight = menu.lfWeight;
    regular.lfItalic = menu.lfItalic;
    regular.lfCharSet = static_cast<BYTE>(screen ? ::GetTextCharsetInfo(screen, nullptr, 0) : DEFAULT_CHARSET);
    SetFace(&regular, menu.lfFaceName);
    if (menu.lfCharSet == ANSI_CHARSET || menu.lfCharSet == DEFAULT_CHARSET || menu.lfCharSet == SYMBOL_CHARSET)
        SetFace(&regular, IsFontFamilyInstalled("Tahoma") ? "Tahoma" : "MS Sans Serif");
    m_fontRegular.CreateFontIndirect(&regular);

    NONCLIENTMETRICSA statusMetrics;
    ReadNonClientMetrics(&statusMetrics);
    LOGFONTA status = regular;
    status.lfWeight = statusMetrics.lfStatusFont.lfWeight;
    status.lfItalic = statusMetrics.lfStatusFont.lfItalic;
    m_fontStatus.CreateFontIndirect(&status);

    LOGFONTA underline = regular;
    underline.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&underline);

    LOGFONTA bold = regular;
    bold.lfUnderline = FALSE;
    bold.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&bold);

    LOGFONTA glyph = {};
    glyph.lfCharSet = SYMBOL_CHARSET;
    glyph.lfWeight = 0;
    glyph.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    SetFace(&glyph, "Marlett");
    m_fontMarlett.CreateFontIndirect(&glyph);

    m_hfontDefaultGUI = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA vertical = {};
    ::GetObjectA(m_hfontDefaultGUI, sizeof(vertical), &vertical);
    vertical.lfHeight = menu.lfHeight;
    vertical.lfWeight = menu.lfWeight;
    vertical.lfItalic = menu.lfItalic;
    vertical.lfOrientation = 900;
    SetFace(&vertical, "Arial");
    vertical.lfEscapement = 2700;
    m_fontVert.CreateFontIndirect(&vertical);
    vertical.lfEscapement = 900;
    m_fontVertReversed.CreateFontIndirect(&vertical);

    if (screen) {
        m_nTextHeightHorz = TextHeight(screen, m_fontRegular);
        m_nTextHeightVert = TextHeight(screen, m_fontVert);
        ::ReleaseDC(nullptr, screen);
    }
}
