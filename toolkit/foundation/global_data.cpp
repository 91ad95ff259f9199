#include "toolkit/foundation/global_data.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

// The 8 x 8 checkerboard of a one-bit pattern: rows of a 1-bit DIB are
// padded to 32 bits, and neighbouring rows are offset by one pixel.
constexpr DWORD kCheckerRowEven = 0x5555AAAA;
constexpr DWORD kCheckerRowOdd = 0xAAAA5555;

// Detaches a system colour brush (which must never be deleted) and takes the
// system's current one.
void ResetSysColorBrush(CBrush& brush, int index)
{
    brush.Detach();
    brush.CreateSysColorBrush(index);
}

BYTE HalfwayChannel(BYTE from, BYTE to)
{
    return static_cast<BYTE>(from + (to - from) / 2);
}

}  // namespace

CWtkGlobalData::CWtkGlobalData()
{
    UpdateSysColors();
    UpdateFonts();
    UpdateSmallIconSize();

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (::GetVersionExA(&version))
        m_bIsOldNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5;
}

CWtkGlobalData::~CWtkGlobalData()
{
    ReleaseSystemBrushes();
    if (m_hinstUXThemeDLL)
        ::FreeLibrary(m_hinstUXThemeDLL);
}

CWtkGlobalData& WtkGlobalData()
{
    static CWtkGlobalData data;
    return data;
}

int CWtkGlobalData::ScreenBitsPerPixel() const
{
    HDC screen = ::GetDC(nullptr);
    const int bits = screen ? ::GetDeviceCaps(screen, BITSPIXEL) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return bits;
}

void CWtkGlobalData::UpdateSysColors()
{
    m_hbrBtnHilite = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    m_hbrBtnShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);

    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_clrBtnDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrBtnLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clrGrayedText = ::GetSysColor(COLOR_GRAYTEXT);
    m_clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_clrHotText = RGB(0, 0, 255);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);

    ResetSysColorBrush(m_brBtnFace, COLOR_BTNFACE);
    ResetSysColorBrush(m_brHilite, COLOR_HIGHLIGHT);
    ResetSysColorBrush(m_brDkShadow, COLOR_3DDKSHADOW);

    m_nBitsPerPixel = ScreenBitsPerPixel();
    UpdateLightBrush();
    UpdateHalftoneBrush();
    // The menu images' coloured strips follow the new colours once the menu
    // images exist; they release them here.
}

void CWtkGlobalData::UpdateLightBrush()
{
    m_brLight.DeleteObject();
    if (m_nBitsPerPixel > 8) {
        m_brLight.CreateSolidBrush(RGB(HalfwayChannel(GetRValue(m_clrBtnFace), GetRValue(m_clrBtnHilite)),
                                       HalfwayChannel(GetGValue(m_clrBtnFace), GetGValue(m_clrBtnHilite)),
                                       HalfwayChannel(GetBValue(m_clrBtnFace), GetBValue(m_clrBtnHilite))));
        return;
    }
    // A palette screen has no colour between the two: dither them.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
        DWORD rows[8];
    } pattern = {};
    pattern.header.biSize = sizeof(pattern.header);
    pattern.header.biWidth = 8;
    pattern.header.biHeight = 8;
    pattern.header.biPlanes = 1;
    pattern.header.biBitCount = 1;
    pattern.header.biCompression = BI_RGB;
    pattern.header.biClrUsed = 2;
    const COLORREF colors[2] = {m_clrBtnFace, m_clrBtnHilite};
    for (int i = 0; i < 2; ++i) {
        pattern.colors[i].rgbRed = GetRValue(colors[i]);
        pattern.colors[i].rgbGreen = GetGValue(colors[i]);
        pattern.colors[i].rgbBlue = GetBValue(colors[i]);
    }
    for (int row = 0; row < 8; ++row)
        pattern.rows[row] = row % 2 == 0 ? kCheckerRowEven : kCheckerRowOdd;
    LOGBRUSH logBrush = {};
    logBrush.lbStyle = BS_DIBPATTERNPT;
    logBrush.lbColor = DIB_RGB_COLORS;
    logBrush.lbHatch = reinterpret_cast<ULONG_PTR>(&pattern);
    m_brLight.CreateBrushIndirect(&logBrush);
}

void CWtkGlobalData::UpdateHalftoneBrush()
{
    // A monochrome pattern: drawn in the DC's text and background colours.
    WORD rows[8];
    for (int row = 0; row < 8; ++row)
        rows[row] = row % 2 == 0 ? 0x5555 : 0xAAAA;
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, rows);
    m_brHalftone.DeleteObject();
    if (bitmap) {
        m_brHalftone.Attach(::CreatePatternBrush(bitmap));
        ::DeleteObject(bitmap);
    }
}

void CWtkGlobalData::UpdateSmallIconSize()
{
    char folder[MAX_PATH] = {};
    SHFILEINFOA info = {};
    HIMAGELIST images = nullptr;
    if (::GetWindowsDirectoryA(folder, MAX_PATH))
        images = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA(folder, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    int width = 0;
    int height = 0;
    if (images && ::ImageList_GetIconSize(images, &width, &height)) {
        m_sizeSmallIcon = CSize(width, height);
        return;
    }
    m_sizeSmallIcon = CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
}

void CWtkGlobalData::ReleaseSystemBrushes()
{
    m_brBtnFace.Detach();
    m_brHilite.Detach();
    m_brDkShadow.Detach();
}

void CWtkGlobalData::CleanUp()
{
    m_brLight.DeleteObject();
    m_brHalftone.DeleteObject();
    DeleteFonts();
    if (m_hinstUXThemeDLL) {
        ::FreeLibrary(m_hinstUXThemeDLL);
        m_hinstUXThemeDLL = nullptr;
    }
}
