// CSMTPL32.dll against a real SMTP server (aiosmtpd, started for each test
// program by with-smtp-server.sh): what the server receives, the server's
// refusals, and the time limits of a dead or silent server.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail_library_binding.h"
#include "received_mail.h"

namespace {

// A listening socket of the test's own that never speaks: the system
// completes the connection, so a client waits for a greeting that never
// comes.
class SilentListener {
public:
    SilentListener()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::listen(m_socket, 4);
        int length = sizeof(address);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~SilentListener()
    {
        ::closesocket(m_socket);
        ::WSACleanup();
    }
    int port() const { return m_port; }

private:
    SOCKET m_socket;
    int m_port = 0;
};

// A port on which nothing listens (bound, read, and closed again).
int UnusedPort()
{
    SilentListener listener;
    return listener.port();
}

class SmtpLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, TestSmtpPort()) << "run through with-smtp-server.sh";
        ASSERT_FALSE(TestSmtpHost().empty()) << "run through with-smtp-server.sh";
        ASSERT_NE(nullptr, transport.library.module());
        ASSERT_NE(nullptr, messages.library.module());
        ASSERT_TRUE(transport.Initialize(&smtp));
        ASSERT_TRUE(messages.Initialize(&composer));
        ClearReceivedMail();
    }
    void TearDown() override
    {
        transport.Release(&smtp);
        messages.Release(&composer);
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

    // Composes a message with the message library and exports it.
    std::string MessageFile(const std::string& subject, const std::string& body,
                            const std::vector<std::string>& attachments = {})
    {
        LONG message = messages.CreateMessage(&composer);
        EXPECT_TRUE(messages.SetHeader(&composer, message, "From", "Sender <sender@example.com>"));
        EXPECT_TRUE(messages.SetHeader(&composer, message, "To", "to@example.com"));
        EXPECT_TRUE(messages.SetHeader(&composer, message, "Subject", subject.c_str()));
        EXPECT_TRUE(messages.AppendText(&composer, message, body.c_str()));
        for (const std::string& path : attachments)
            EXPECT_TRUE(messages.AttachFile(&composer, message, path.c_str()));
        std::string path = TestFilePath("outgoing.eml");
        files.push_back(path);
        EXPECT_TRUE(messages.ExportMessage(&composer, message, path.c_str()))
            << messages.LastErrorText();
        return path;
    }

    LONG Connect(long timeout_seconds = 30)
    {
        return transport.Connect(&smtp, TestSmtpHost().c_str(), TestSmtpPort(), timeout_seconds);
    }

    // Connect, HELO, send, disconnect; the send's result.
    BOOL Send(const char* sender, const char* recipients, const std::string& path)
    {
        LONG connection = Connect();
        EXPECT_NE(-1, connection) << transport.LastErrorText();
        EXPECT_TRUE(transport.Hello(&smtp, connection, "tester.example.com", 0))
            << transport.LastErrorText();
        BOOL sent = transport.SendMessageFile(&smtp, connection, sender, recipients, path.c_str());
        if (!sent)
            saved_error = {transport.LastError(), transport.LastErrorText()};
        EXPECT_TRUE(transport.Disconnect(&smtp, connection));
        return sent;
    }

    TransportLibrary transport;
    MessageLibrary messages;
    CSMTP_SESSION smtp{};
    CSMSG_SESSION composer{};
    std::vector<std::string> files;
    std::pair<LONG, std::string> saved_error;
};

TEST_F(SmtpLibraryTest, ServerReceivesEnvelopeHeadersBodyAndAttachments)
{
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    std::string text_file = TestFile("notes.txt", "line one\r\nline two\r\n");
    std::string binary_file = TestFile("all-bytes.bin", binary + binary);
    std::string empty_file = TestFile("empty.dat", "");
    std::string path = MessageFile("Weekly figures", "Hello,\r\nthe figures are attached.",
                                   {text_file, binary_file, empty_file});

    ASSERT_TRUE(Send("Sender <sender@example.com>",
                     "first@example.com, \"Doe, Jane\" <jane@example.com>,third@example.com",
                     path))
        << saved_error.second;

    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    const ReceivedMail& received = mail[0];
    EXPECT_EQ("tester.example.com", received.helo);
    EXPECT_EQ("sender@example.com", received.mail_from);
    EXPECT_EQ((std::vector<std::string>{"first@example.com", "jane@example.com",
                                        "third@example.com"}),
              received.recipients);
    EXPECT_EQ("Sender <sender@example.com>", received.Header("From"));
    EXPECT_EQ("to@example.com", received.Header("To"));
    EXPECT_EQ("Weekly figures", received.Header("Subject"));
    EXPECT_FALSE(received.Header("Date").empty());
    EXPECT_EQ("multipart/mixed", received.content_type);
    // The line break before a boundary belongs to the boundary.
    EXPECT_EQ("Hello,\nthe figures are attached.", received.body);
    ASSERT_EQ(3u, received.attachments.size());
    EXPECT_EQ("notes.txt", received.attachments[0].first);
    EXPECT_EQ("line one\r\nline two\r\n", received.attachments[0].second);
    EXPECT_EQ("all-bytes.bin", received.attachments[1].first);
    EXPECT_EQ(binary + binary, received.attachments[1].second);
    EXPECT_EQ("empty.dat", received.attachments[2].first);
    EXPECT_EQ("", received.attachments[2].second);
    EXPECT_EQ(0, received.defects);
}

TEST_F(SmtpLibraryTest, BodyLinesBeginningWithADotArriveUnchanged)
{
    std::string body = ".\r\n..\r\n.leading dot\r\nmiddle . line\r\n.";
    ASSERT_TRUE(Send("sender@example.com", "to@example.com", MessageFile("dots", body)))
        << saved_error.second;
    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    EXPECT_EQ(".\n..\n.leading dot\nmiddle . line\n.\n", mail[0].body);
    EXPECT_EQ(0, mail[0].defects);
}

TEST_F(SmtpLibraryTest, TextsOutsideAsciiArriveAsWrittenInTheAnsiCodePage)
{
    std::string subject = "R\xe9sum\xe9 of the Stra\xdf" "e works, folded over more than one line of header text";
    std::string body = "Caf\xe9 cr\xe8me \x80 5\r\n" + std::string(120, 'x') + "\xe9";
    std::string attachment = TestFile("na\xefve.txt", "content");
    ASSERT_TRUE(Send("sender@example.com", "to@example.com",
                     MessageFile(subject, body, {attachment})))
        << saved_error.second;
    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    EXPECT_EQ(AnsiToUtf8(subject), mail[0].Header("Subject"));
    std::string expected = AnsiToUtf8(body);
    expected.replace(expected.find("\r\n"), 2, "\n");
    EXPECT_EQ(expected, mail[0].body);
    ASSERT_EQ(1u, mail[0].attachments.size());
    EXPECT_EQ(AnsiToUtf8("na\xefve.txt"), mail[0].attachments[0].first);
    EXPECT_EQ(0, mail[0].defects);
}

struct RefusalCase {
    const char* what;
    const char* sender;
    const char* recipients;
    const char* subject;
    LONG code;
    const char* reply;
};

TEST_F(SmtpLibraryTest, ARefusalFailsTheSendWithTheServersReply)
{
    const RefusalCase cases[] = {
        {"sender", "refused-sender@example.com", "to@example.com", "ok", 553,
         "553 5.7.1 Sender refused by policy"},
        {"second recipient", "sender@example.com", "to@example.com,rejected@example.com", "ok",
         550, "550 5.1.1 <rejected@example.com>: Recipient address rejected"},
        {"content", "sender@example.com", "to@example.com", "please refuse-data", 554,
         "554 5.6.0 Message content refused"},
    };
    for (const RefusalCase& c : cases) {
        std::string path = MessageFile(c.subject, "body");
        EXPECT_FALSE(Send(c.sender, c.recipients, path)) << c.what;
        EXPECT_EQ(c.code, saved_error.first) << c.what;
        EXPECT_EQ(c.reply, saved_error.second) << c.what;
    }
    EXPECT_TRUE(ReadReceivedMail().empty());
}

TEST_F(SmtpLibraryTest, RefusedConnectionFailsAtOnceNamingTheServer)
{
    int port = UnusedPort();
    DWORD started = ::GetTickCount();
    EXPECT_EQ(-1, transport.Connect(&smtp, "127.0.0.1", port, 30));
    EXPECT_LT(::GetTickCount() - started, 10000u);
    EXPECT_EQ(CSMTP_ERROR_CONNECT, transport.LastError());
    EXPECT_EQ("Unable to connect to 127.0.0.1 port " + std::to_string(port) +
                  ": connection refused",
              transport.LastErrorText());
}

TEST_F(SmtpLibraryTest, SilentServerFailsWhenTheTimeLimitPasses)
{
    SilentListener silent;
    DWORD started = ::GetTickCount();
    EXPECT_EQ(-1, transport.Connect(&smtp, "127.0.0.1", silent.port(), 2));
    DWORD elapsed = ::GetTickCount() - started;
    EXPECT_GE(elapsed, 1900u);
    EXPECT_LT(elapsed, 10000u);
    EXPECT_EQ(CSMTP_ERROR_TIMEOUT, transport.LastError());
    EXPECT_EQ("The server 127.0.0.1 port " + std::to_string(silent.port()) +
                  " did not answer within 2 seconds",
              transport.LastErrorText());
}

struct AddressCase {
    const char* sender;
    const char* recipients;
    LONG code;
};

TEST_F(SmtpLibraryTest, AddressesThatCouldInjectCommandsAreRefusedBeforeSending)
{
    const AddressCase cases[] = {
        {"sender@example.com", "", CSMTP_ERROR_NO_RECIPIENTS},
        {"sender@example.com", " , ,", CSMTP_ERROR_NO_RECIPIENTS},
        {"sender@example.com", "Nobody <>", CSMTP_ERROR_INVALID_ADDRESS},
        {"sender@example.com", "a@example.com>\r\nRCPT TO:<b@example.com",
         CSMTP_ERROR_INVALID_ADDRESS},
        {"sender@example.com", "two words@example.com", CSMTP_ERROR_INVALID_ADDRESS},
        {"s@example.com>\r\nRSET", "to@example.com", CSMTP_ERROR_INVALID_ADDRESS},
    };
    std::string path = MessageFile("addresses", "body");
    for (const AddressCase& c : cases) {
        EXPECT_FALSE(Send(c.sender, c.recipients, path)) << c.recipients;
        EXPECT_EQ(c.code, saved_error.first) << c.recipients;
    }
    EXPECT_TRUE(ReadReceivedMail().empty());
}

TEST_F(SmtpLibraryTest, ConnectionHandleIsInvalidAfterDisconnect)
{
    LONG connection = Connect();
    ASSERT_NE(-1, connection) << transport.LastErrorText();
    ASSERT_TRUE(transport.Disconnect(&smtp, connection));
    EXPECT_FALSE(transport.Hello(&smtp, connection, nullptr, 0));
    EXPECT_EQ(CSMTP_ERROR_INVALID_CONNECTION, transport.LastError());
    EXPECT_FALSE(transport.Disconnect(&smtp, connection));
}

TEST_F(SmtpLibraryTest, MissingMessageFileFailsWithoutSending)
{
    LONG connection = Connect();
    ASSERT_NE(-1, connection);
    ASSERT_TRUE(transport.Hello(&smtp, connection, nullptr, 0)) << transport.LastErrorText();
    std::string missing = TestProgramDirectory() + "never-exported.eml";
    EXPECT_FALSE(transport.SendMessageFile(&smtp, connection, "s@example.com", "t@example.com",
                                           missing.c_str()));
    EXPECT_EQ(CSMTP_ERROR_MESSAGE_FILE, transport.LastError());
    EXPECT_NE(std::string::npos, transport.LastErrorText().find("never-exported.eml"));
    EXPECT_TRUE(transport.Disconnect(&smtp, connection));
    EXPECT_TRUE(ReadReceivedMail().empty());
}

}  // namespace
