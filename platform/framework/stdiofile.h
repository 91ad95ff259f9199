// CStdioFile: a file read and written as lines of text.
//
// In text mode (the default; typeBinary turns it off) "\r\n" reads as "\n"
// and "\n" is written as "\r\n", as the C runtime's text streams do.
#pragma once

#include <vector>

#include "platform/framework/file.h"

class CStdioFile : public CFile {
public:
    CStdioFile();
    // Opens the file; throws CFileException on failure.
    CStdioFile(const char* file_name, UINT open_flags);
    ~CStdioFile() override;

    bool Open(const char* file_name, UINT open_flags, CFileException* error = nullptr) override;

    // The next line without its line end; false at the end of the file
    // when nothing was left to read.
    bool ReadString(CString& line);
    void WriteString(const char* text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    void SetLength(ULONGLONG new_length) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    // The next raw byte, or -1 at the end of the file.
    int PeekByte();
    int NextByte();
    // Gives back to the file what was read ahead, before writes and seeks.
    void DropReadAhead();

    bool m_bText;
    std::vector<char> m_readAhead;
    size_t m_nReadPos;
    size_t m_nReadEnd;
};
