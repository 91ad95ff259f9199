// CSMSGL32.dll driven through its ordinals: the export table, the exported
// message's structure and encodings, and the failures a caller relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "mail_library_binding.h"

namespace {

struct ExportTable {
    std::set<int> ordinals;
    DWORD name_count = 0;
};

ExportTable ExportsOf(HMODULE module)
{
    ExportTable table;
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0)
        return table;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i) {
        if (functions[i] != 0)
            table.ordinals.insert(static_cast<int>(exports->Base + i));
    }
    table.name_count = exports->NumberOfNames;
    return table;
}

struct ExportCase {
    const char* library;
    std::set<int> ordinals;
};

TEST(MailLibraryExports, ExportExactlyTheListedOrdinalsAndNoNames)
{
    const ExportCase cases[] = {
        {"CSMSGL32.dll", {1, 3, 6, 12, 18, 20, 36, 46, 53}},
        {"CSMTPL32.dll", {11, 13, 19, 21, 29, 35, 39, 47}},
    };
    for (const ExportCase& c : cases) {
        BoundLibrary library(c.library);
        ASSERT_NE(nullptr, library.module()) << c.library;
        ExportTable table = ExportsOf(library.module());
        EXPECT_EQ(c.ordinals, table.ordinals) << c.library;
        EXPECT_EQ(0u, table.name_count) << c.library;
    }
}

// The lines of CR LF text; fails the test on a lone CR or LF.
std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end in CR LF";
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << "lone CR or LF in: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

// The header block (up to the first empty line), folded lines joined.
std::vector<std::string> UnfoldedHeaders(const std::string& message)
{
    std::vector<std::string> headers;
    for (const std::string& line : CrLfLines(message)) {
        if (line.empty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !headers.empty())
            headers.back() += line;
        else
            headers.push_back(line);
    }
    return headers;
}

std::string Between(const std::string& text, const std::string& after, const std::string& before)
{
    size_t start = text.find(after);
    if (start == std::string::npos)
        return "<missing: " + after + ">";
    start += after.size();
    size_t end = text.find(before, start);
    return end == std::string::npos ? "<unterminated>" : text.substr(start, end - start);
}

class MessageLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, lib.library.module());
        ASSERT_TRUE(lib.Initialize(&session));
        message = lib.CreateMessage(&session);
        ASSERT_NE(-1, message);
    }
    void TearDown() override
    {
        lib.Release(&session);
        for (const std::string& file : files)
            ::DeleteFileA(file.c_str());
        RemoveTestFolder();
    }

    std::string TestFile(const std::string& name, const std::string& bytes)
    {
        std::string path = TestFilePath(name);
        EXPECT_TRUE(WriteTestFile(path, bytes));
        files.push_back(path);
        return path;
    }

    std::string Exported()
    {
        std::string path = TestFilePath("exported-message.eml");
        files.push_back(path);
        EXPECT_TRUE(lib.ExportMessage(&session, message, path.c_str())) << lib.LastErrorText();
        std::string content;
        EXPECT_TRUE(ReadTestFile(path, content));
        return content;
    }

    MessageLibrary lib;
    CSMSG_SESSION session{};
    LONG message = -1;
    std::vector<std::string> files;
};

TEST_F(MessageLibraryTest, ExportedMessageCarriesTheHeadersInOrderThenMimeStructure)
{
    ASSERT_TRUE(lib.SetHeader(&session, message, "From", "sender@example.com"));
    ASSERT_TRUE(lib.SetHeader(&session, message, "To", "a@example.com,b@example.com"));
    ASSERT_TRUE(lib.SetHeader(&session, message, "Subject", "Monthly report"));
    ASSERT_TRUE(lib.AppendText(&session, message, "First line\r\nSecond line"));
    ASSERT_TRUE(lib.AppendText(&session, message, "\nThird line"));

    std::string text = Exported();
    std::vector<std::string> headers = UnfoldedHeaders(text);
    ASSERT_GE(headers.size(), 7u);
    EXPECT_EQ("From: sender@example.com", headers[0]);
    EXPECT_EQ("To: a@example.com,b@example.com", headers[1]);
    EXPECT_EQ("Subject: Monthly report", headers[2]);
    EXPECT_EQ(0u, headers[3].rfind("Date: ", 0)) << headers[3];
    EXPECT_EQ("MIME-Version: 1.0", headers[4]);
    EXPECT_EQ("Content-Type: text/plain; charset=\"us-ascii\"", headers[5]);
    EXPECT_EQ("Content-Transfer-Encoding: 7bit", headers[6]);
    // Appended texts join; a lone LF becomes CR LF.
    EXPECT_EQ("First line\r\nSecond line\r\nThird line\r\n",
              text.substr(text.find("\r\n\r\n") + 4));
}

struct Base64Case {
    std::string content;
    std::string encoded;  // lines, each ending in CR LF
};

TEST_F(MessageLibraryTest, AttachmentsAreBase64InLinesOf76)
{
    const Base64Case cases[] = {
        {"", ""},
        {"f", "Zg==\r\n"},
        {"fo", "Zm8=\r\n"},
        {"foo", "Zm9v\r\n"},
        {"foob", "Zm9vYg==\r\n"},
        {"fooba", "Zm9vYmE=\r\n"},
        {"foobar", "Zm9vYmFy\r\n"},
        {std::string("\0\xff\x10", 3), "AP8Q\r\n"},
        {std::string(57, 'a'), std::string(76, 'x')},   // filled in below
        {std::string(58, 'a'), std::string(76, 'x')},
    };
    std::string row;
    for (int i = 0; i < 19; ++i)
        row += "YWFh";
    std::vector<Base64Case> table(std::begin(cases), std::end(cases));
    table[8].encoded = row + "\r\n";
    table[9].encoded = row + "\r\nYQ==\r\n";

    for (size_t i = 0; i < table.size(); ++i) {
        LONG single = lib.CreateMessage(&session);
        ASSERT_NE(-1, single);
        std::string name = "vector" + std::to_string(i) + ".bin";
        std::string path = TestFile(name, table[i].content);
        ASSERT_TRUE(lib.AttachFile(&session, single, path.c_str())) << lib.LastErrorText();
        message = single;
        std::string text = Exported();
        std::string block = Between(text, "filename=\"" + name + "\"\r\n\r\n", "--=_");
        // The CR LF before the closing boundary belongs to the boundary.
        EXPECT_EQ(table[i].encoded + (table[i].content.empty() ? "\r\n" : ""), block)
            << "case " << i;
    }
}

TEST_F(MessageLibraryTest, MultipartMessageHasBodyFirstThenOnePartPerAttachment)
{
    ASSERT_TRUE(lib.AppendText(&session, message, "See attached."));
    std::string first = TestFile("report.txt", "report");
    std::string second = TestFile("data.bin", "data");
    ASSERT_TRUE(lib.AttachFile(&session, message, first.c_str()));
    ASSERT_TRUE(lib.AttachFile(&session, message, second.c_str()));

    std::string text = Exported();
    std::string boundary = Between(text, "Content-Type: multipart/mixed; boundary=\"", "\"");
    ASSERT_EQ(0u, boundary.rfind("=_", 0)) << boundary;
    std::vector<std::string> lines = CrLfLines(text);
    std::vector<size_t> delimiters;
    size_t closing = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "--" + boundary)
            delimiters.push_back(i);
        if (lines[i] == "--" + boundary + "--")
            closing = i;
    }
    ASSERT_EQ(3u, delimiters.size());
    EXPECT_EQ(lines.size() - 1, closing);
    EXPECT_EQ("Content-Type: text/plain; charset=\"us-ascii\"", lines[delimiters[0] + 1]);
    EXPECT_EQ("See attached.", lines[delimiters[1] - 1]);
    EXPECT_EQ("Content-Type: application/octet-stream; name=\"report.txt\"",
              lines[delimiters[1] + 1]);
    EXPECT_EQ("Content-Type: application/octet-stream; name=\"data.bin\"",
              lines[delimiters[2] + 1]);
}

struct BodyCase {
    std::string body;
    std::string transfer_encoding;
    std::string encoded;
};

TEST_F(MessageLibraryTest, BodyIsSevenBitWhenPlainElseQuotedPrintable)
{
    std::string long_line(100, 'x');
    const BodyCase cases[] = {
        {"plain text", "7bit", "plain text"},
        {"caf\xe9 = ok", "quoted-printable", "caf=E9 =3D ok"},
        {"blank before the line end \xe9 \r\nnext", "quoted-printable",
         "blank before the line end =E9=20\r\nnext"},
        {long_line + "\xe9", "quoted-printable",
         std::string(75, 'x') + "=\r\n" + std::string(25, 'x') + "=E9"},
        {std::string(999, 'y'), "quoted-printable", ""},  // only the line lengths are checked
    };
    for (const BodyCase& c : cases) {
        message = lib.CreateMessage(&session);
        ASSERT_TRUE(lib.AppendText(&session, message, c.body.c_str()));
        std::string text = Exported();
        EXPECT_NE(std::string::npos,
                  text.find("Content-Transfer-Encoding: " + c.transfer_encoding + "\r\n\r\n"))
            << c.body.substr(0, 20);
        std::string encoded = text.substr(text.find("\r\n\r\n") + 4);
        if (!c.encoded.empty()) {
            EXPECT_EQ(c.encoded + "\r\n", encoded);
        }
        for (const std::string& line : CrLfLines(encoded))
            EXPECT_LE(line.size(), c.transfer_encoding == "7bit" ? 998u : 76u);
    }
}

struct HeaderCase {
    const char* name;
    BOOL accepted;
};

TEST_F(MessageLibraryTest, HeaderNamesAreCheckedAndStructureFieldsRefused)
{
    const HeaderCase cases[] = {
        {"X-Mailer", TRUE},
        {"Subject", TRUE},
        {"", FALSE},
        {"Bad Name", FALSE},
        {"Colon:Name", FALSE},
        {"Content-Type", FALSE},
        {"content-transfer-encoding", FALSE},
        {"MIME-Version", FALSE},
    };
    for (const HeaderCase& c : cases) {
        EXPECT_EQ(c.accepted, lib.SetHeader(&session, message, c.name, "value")) << c.name;
        if (!c.accepted) {
            EXPECT_EQ(CSMSG_ERROR_INVALID_HEADER, lib.LastError()) << c.name;
        }
    }
}

TEST_F(MessageLibraryTest, SettingAHeaderAgainReplacesItWhateverTheCase)
{
    ASSERT_TRUE(lib.SetHeader(&session, message, "Subject", "first"));
    ASSERT_TRUE(lib.SetHeader(&session, message, "SUBJECT", "second"));
    int subjects = 0;
    for (const std::string& header : UnfoldedHeaders(Exported())) {
        if (::_strnicmp(header.c_str(), "Subject:", 8) == 0) {
            ++subjects;
            EXPECT_EQ("Subject: second", header);
        }
    }
    EXPECT_EQ(1, subjects);
}

TEST_F(MessageLibraryTest, LineBreaksInAValueCannotStartAFieldOfTheirOwn)
{
    ASSERT_TRUE(lib.SetHeader(&session, message, "Subject", "Hello\r\nBcc: victim@example.com"));
    for (const std::string& header : UnfoldedHeaders(Exported()))
        EXPECT_NE(0u, header.rfind("Bcc", 0)) << header;
}

TEST_F(MessageLibraryTest, LongValuesFoldAtBlanksAndUnfoldToTheOriginal)
{
    std::string subject;
    for (int i = 0; i < 30; ++i)
        subject += (i ? " word" : "word") + std::to_string(i);
    ASSERT_TRUE(lib.SetHeader(&session, message, "Subject", subject.c_str()));
    std::string text = Exported();
    std::vector<std::string> lines = CrLfLines(text.substr(0, text.find("\r\n\r\n") + 2));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 78u) << line;
    EXPECT_EQ("Subject: " + subject, UnfoldedHeaders(text)[0]);
}

// The entries of an address list, split at commas outside quotes and
// trimmed.
std::vector<std::string> AddressEntries(const std::string& list)
{
    std::vector<std::string> entries;
    std::string current;
    bool quoted = false;
    auto finish = [&] {
        const size_t first = current.find_first_not_of(" \t");
        const size_t last = current.find_last_not_of(" \t");
        entries.push_back(first == std::string::npos ? std::string() : current.substr(first, last - first + 1));
        current.clear();
    };
    for (char ch : list) {
        if (ch == '"')
            quoted = !quoted;
        if (ch == ',' && !quoted)
            finish();
        else
            current += ch;
    }
    finish();
    return entries;
}

std::string TeamList(int members, const char* separator)
{
    std::string list;
    for (int i = 0; i < members; ++i)
        list += (i ? separator : "") + std::string("team.member.") + std::to_string(i) + "@operations.example.com";
    return list;
}

std::string LongWord(size_t length)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string word;
    for (size_t i = 0; i < length; ++i)
        word += kLetters[i % (sizeof kLetters - 1)];
    return word;
}

struct LongHeaderCase {
    const char* what;
    std::string name;
    std::string value;
    bool addresses;  // unfolds to the same addresses; else to free text
};

void PrintTo(const LongHeaderCase& c, std::ostream* out)
{
    *out << c.what;
}

class LongHeaders : public MessageLibraryTest, public ::testing::WithParamInterface<LongHeaderCase> {};

// A mail line may hold 998 characters; servers refuse longer ones.
TEST_P(LongHeaders, NoLineIsLongerThanAMailLineMayBe)
{
    const LongHeaderCase& c = GetParam();
    ASSERT_TRUE(lib.SetHeader(&session, message, c.name.c_str(), c.value.c_str())) << lib.LastErrorText();
    const std::string text = Exported();
    const std::vector<std::string> lines = CrLfLines(text.substr(0, text.find("\r\n\r\n") + 2));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 998u) << line.substr(0, 80) << "...";
    const std::vector<std::string> headers = UnfoldedHeaders(text);
    ASSERT_FALSE(headers.empty());
    const std::string& unfolded = headers[0];
    const std::string prefix = c.name + ": ";
    ASSERT_EQ(0u, unfolded.rfind(prefix, 0)) << unfolded.substr(0, 80);
    if (c.addresses) {
        EXPECT_EQ(AddressEntries(c.value), AddressEntries(unfolded.substr(prefix.size())));
    } else {
        // Carried by encoded words: nothing of it stands as plain text.
        EXPECT_EQ(std::string::npos, unfolded.find(c.value.substr(0, 100)));
        EXPECT_NE(std::string::npos, unfolded.find("?B?"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LongHeaders,
    ::testing::Values(
        LongHeaderCase{"TeamListWithoutBlanks", "To", TeamList(40, ","), true},
        LongHeaderCase{"TeamListWithBlanks", "Cc", TeamList(40, ", "), true},
        LongHeaderCase{"DisplayNamesWithCommas", "To",
                       "\"Doe, Jane\" <jane@example.com>," + TeamList(30, ",") + ",\"Roe, Rick\" <rick@example.com>",
                       true},
        LongHeaderCase{"LongWordInTheSubject", "Subject", "Report " + LongWord(1500) + " end", false},
        LongHeaderCase{"LongWordAlone", "X-Note", LongWord(1500), false},
        LongHeaderCase{"LongRunOfBlanks", "Subject", "a" + std::string(1200, ' ') + "b", false}),
    [](const ::testing::TestParamInfo<LongHeaderCase>& info) { return std::string(info.param.what); });

TEST_F(MessageLibraryTest, AHeaderNameMustFitOnALine)
{
    EXPECT_TRUE(lib.SetHeader(&session, message, ("X-" + std::string(995, 'N')).c_str(), "value"));
    EXPECT_FALSE(lib.SetHeader(&session, message, ("X-" + std::string(996, 'N')).c_str(), "value"));
    EXPECT_EQ(CSMSG_ERROR_INVALID_HEADER, lib.LastError());
    const std::string text = Exported();
    for (const std::string& line : CrLfLines(text.substr(0, text.find("\r\n\r\n") + 2)))
        EXPECT_LE(line.size(), 998u) << line.substr(0, 80) << "...";
}

TEST_F(MessageLibraryTest, NonAsciiHeaderWordsBecomeEncodedWords)
{
    ASSERT_TRUE(lib.SetHeader(&session, message, "Subject", "Report \xe9t\xe9 2024"));
    std::string subject = UnfoldedHeaders(Exported())[0];
    EXPECT_EQ(0u, subject.rfind("Subject: Report =?", 0)) << subject;
    EXPECT_NE(std::string::npos, subject.find("?B?")) << subject;
    EXPECT_EQ(subject.size() - 7, subject.rfind("?= 2024")) << subject;
    for (unsigned char ch : subject)
        EXPECT_LT(ch, 0x80) << subject;
}

TEST_F(MessageLibraryTest, AttachingAMissingFileFailsNamingTheFile)
{
    std::string missing = TestProgramDirectory() + "no-such-attachment.txt";
    EXPECT_FALSE(lib.AttachFile(&session, message, missing.c_str()));
    EXPECT_EQ(CSMSG_ERROR_ATTACHMENT, lib.LastError());
    EXPECT_NE(std::string::npos, lib.LastErrorText().find("no-such-attachment.txt"))
        << lib.LastErrorText();
    // The message itself stays usable.
    EXPECT_TRUE(lib.AppendText(&session, message, "still here"));
}

TEST_F(MessageLibraryTest, ExportToAPathThatCannotBeWrittenFails)
{
    std::string path = TestProgramDirectory() + "no-such-folder\\message.eml";
    EXPECT_FALSE(lib.ExportMessage(&session, message, path.c_str()));
    EXPECT_EQ(CSMSG_ERROR_EXPORT, lib.LastError());
    EXPECT_NE(std::string::npos, lib.LastErrorText().find("no-such-folder")) << lib.LastErrorText();
}

TEST_F(MessageLibraryTest, UnknownHandlesAndReleasedSessionsAreRefused)
{
    EXPECT_FALSE(lib.AppendText(&session, message + 100, "x"));
    EXPECT_EQ(CSMSG_ERROR_INVALID_MESSAGE, lib.LastError());

    CSMSG_SESSION never_initialised{};
    EXPECT_EQ(-1, lib.CreateMessage(&never_initialised));
    EXPECT_EQ(CSMSG_ERROR_NOT_INITIALIZED, lib.LastError());

    lib.Release(&session);
    EXPECT_FALSE(lib.SetHeader(&session, message, "Subject", "x"));
    EXPECT_EQ(CSMSG_ERROR_NOT_INITIALIZED, lib.LastError());
    ASSERT_TRUE(lib.Initialize(&session));
    EXPECT_FALSE(lib.AppendText(&session, message + 1000, "x"));
}

TEST_F(MessageLibraryTest, ErrorTextIsCutToTheBufferAndAlwaysTerminated)
{
    std::string missing = TestProgramDirectory() + std::string(150, 'n') + ".txt";
    ASSERT_FALSE(lib.AttachFile(&session, message, missing.c_str()));
    LONG code = lib.LastError();

    char text[128];
    std::memset(text, 'z', sizeof(text));
    ASSERT_TRUE(lib.ErrorText(code, text, sizeof(text)));
    EXPECT_EQ(127u, std::strlen(text));

    char one[1] = {'z'};
    EXPECT_TRUE(lib.ErrorText(code, one, 1));
    EXPECT_EQ('\0', one[0]);
    EXPECT_FALSE(lib.ErrorText(code, text, 0));
    EXPECT_FALSE(lib.ErrorText(code, nullptr, 128));
}

TEST_F(MessageLibraryTest, EachThreadKeepsItsOwnLastError)
{
    ASSERT_FALSE(lib.AttachFile(&session, message, "Z:\\no\\such\\file"));
    std::thread other([&] {
        EXPECT_EQ(CSMSG_ERROR_NONE, lib.LastError());
        EXPECT_FALSE(lib.AppendText(&session, message + 100, "x"));
        EXPECT_EQ(CSMSG_ERROR_INVALID_MESSAGE, lib.LastError());
    });
    other.join();
    EXPECT_EQ(CSMSG_ERROR_ATTACHMENT, lib.LastError());
    EXPECT_NE(std::string::npos, lib.LastErrorText().find("file"));
}

}  // namespace
