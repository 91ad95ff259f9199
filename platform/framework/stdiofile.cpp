#include "platform/framework/stdiofile.h"

#include <cstring>
#include <string>

namespace {

constexpr size_t kReadAheadSize = 4096;

}  // namespace

CStdioFile::CStdioFile() : m_bText(true), m_readAhead(kReadAheadSize), m_nReadPos(0), m_nReadEnd(0) {}

CStdioFile::CStdioFile(const char* file_name, UINT open_flags) : CStdioFile()
{
    CFileException error;
    if (!Open(file_name, open_flags, &error))
        throw error;
}

CStdioFile::~CStdioFile() = default;

bool CStdioFile::Open(const char* file_name, UINT open_flags, CFileException* error)
{
    m_nReadPos = 0;
    m_nReadEnd = 0;
    m_bText = (open_flags & typeBinary) == 0;
    return CFile::Open(file_name, open_flags & ~(typeText | typeBinary), error);
}

int CStdioFile::PeekByte()
{
    if (m_nReadPos == m_nReadEnd) {
        m_nReadPos = 0;
        m_nReadEnd = CFile::Read(m_readAhead.data(), static_cast<UINT>(m_readAhead.size()));
        if (m_nReadEnd == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_readAhead[m_nReadPos]);
}

int CStdioFile::NextByte()
{
    const int byte = PeekByte();
    if (byte >= 0)
        ++m_nReadPos;
    return byte;
}

void CStdioFile::DropReadAhead()
{
    const size_t unread = m_nReadEnd - m_nReadPos;
    m_nReadPos = 0;
    m_nReadEnd = 0;
    if (unread > 0)
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

bool CStdioFile::ReadString(CString& line)
{
    std::string text;
    bool any = false;
    for (;;) {
        const int byte = NextByte();
        if (byte < 0)
            break;
        any = true;
        if (byte == '\n')
            break;
        if (byte == '\r' && m_bText && PeekByte() == '\n') {
            NextByte();
            break;
        }
        text += static_cast<char>(byte);
    }
    line = CString(text.data(), static_cast<int>(text.size()));
    return any;
}

void CStdioFile::WriteString(const char* text)
{
    if (text != nullptr)
        Write(text, static_cast<UINT>(std::strlen(text)));
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    char* out = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const int byte = NextByte();
        if (byte < 0)
            break;
        if (byte == '\r' && m_bText && PeekByte() == '\n')
            continue;
        out[done++] = static_cast<char>(byte);
    }
    return done;
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    DropReadAhead();
    if (!m_bText) {
        CFile::Write(buffer, count);
        return;
    }
    const char* in = static_cast<const char*>(buffer);
    std::string translated;
    translated.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        if (in[i] == '\n')
            translated += '\r';
        translated += in[i];
    }
    CFile::Write(translated.data(), static_cast<UINT>(translated.size()));
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    DropReadAhead();
    return CFile::Seek(offset, from);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_nReadEnd - m_nReadPos);
}

void CStdioFile::SetLength(ULONGLONG new_length)
{
    DropReadAhead();
    CFile::SetLength(new_length);
}

void CStdioFile::Flush()
{
    DropReadAhead();
    CFile::Flush();
}

void CStdioFile::Close()
{
    m_nReadPos = 0;
    m_nReadEnd = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_nReadPos = 0;
    m_nReadEnd = 0;
    CFile::Abort();
}
