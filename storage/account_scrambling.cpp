#include "storage/account_scrambling.h"

CString ScrambleAccountText(const CString& text, int shift)
{
    CString result = text;
    for (int i = 0; i < result.GetLength(); ++i) {
        const int v = static_cast<unsigned char>(result[i]);
        const int scrambled = v - shift >= 0 ? v - shift : v + shift;
        result.SetAt(i, static_cast<char>(static_cast<unsigned char>(scrambled)));
    }
    return result;
}

CString UnscrambleAccountText(const CString& text, int shift)
{
    CString result = text;
    for (int i = 0; i < result.GetLength(); ++i) {
        const int v = static_cast<unsigned char>(result[i]);
        const int plain = (v >= shift && v <= 2 * shift) ? v - shift : v + shift;
        result.SetAt(i, static_cast<char>(static_cast<unsigned char>(plain)));
    }
    return result;
}
