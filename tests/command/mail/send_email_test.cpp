// SendEMail against a real SMTP server on port 25 of a loopback address of
// the run's own (aiosmtpd, started for each test program by
// with-smtp-server.sh): what arrives, how failures read,
// and that the temporary message file never stays behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/mail/send_email.h"
#include "mail_library_binding.h"
#include "received_mail.h"
#include "task/shared/module_directory.h"

namespace {

std::vector<CString> Parameters(const std::vector<std::string>& texts)
{
    std::vector<CString> parameters;
    for (const std::string& text : texts)
        parameters.emplace_back(text.c_str());
    return parameters;
}

// The temporary message files ("msg*.tmp") in the program directory.
int TemporaryMessageFiles()
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((GetModuleDirectory() + "msg*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return count;
}

class SendEMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(25, TestSmtpPort()) << "run through with-smtp-server.sh on port 25";
        ASSERT_FALSE(server.empty()) << "run through with-smtp-server.sh";
        ClearReceivedMail();
        ASSERT_EQ(0, TemporaryMessageFiles());
    }
    void TearDown() override
    {
        for (const std::string& file : files)
            ::DeleteFileA(file.c_str());
        RemoveTestFolder();
        EXPECT_EQ(0, TemporaryMessageFiles()) << "a temporary message file stayed behind";
    }

    std::string TestFile(const std::string& name, const std::string& bytes)
    {
        std::string path = TestFilePath(name);
        EXPECT_TRUE(WriteTestFile(path, bytes));
        files.push_back(path);
        return path;
    }

    // This run's own server: the command always uses port 25, so each run
    // has an address of its own.
    const std::string server = TestSmtpHost();
    CString lastError = "left by an earlier command";
    std::vector<std::string> files;
};

TEST_F(SendEMailTest, SendsOneMessageToEveryRecipientWithSemicolonsReadAsCommas)
{
    std::string report = TestFile("report.txt", "Quarter 3: all targets met.\r\n");
    std::string data = TestFile("figures.bin", std::string("\x00\x01\x02\xfe\xff", 5));

    ASSERT_EQ(1, mail::SendEMail(Parameters({server, "scheduler@example.com",
                                             "first@example.com;second@example.com",
                                             "Nightly run", "The nightly run has finished.",
                                             report + ";;" + data}),
                                 lastError))
        << lastError;
    EXPECT_STREQ("", lastError);

    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    const ReceivedMail& received = mail[0];
    EXPECT_EQ("scheduler@example.com", received.mail_from);
    EXPECT_EQ((std::vector<std::string>{"first@example.com", "second@example.com"}),
              received.recipients);
    EXPECT_EQ("scheduler@example.com", received.Header("From"));
    EXPECT_EQ("first@example.com,second@example.com", received.RawHeader("To"));
    EXPECT_EQ("Nightly run", received.Header("Subject"));
    EXPECT_EQ("The nightly run has finished.", received.body);
    ASSERT_EQ(2u, received.attachments.size());
    EXPECT_EQ("report.txt", received.attachments[0].first);
    EXPECT_EQ("Quarter 3: all targets met.\r\n", received.attachments[0].second);
    EXPECT_EQ("figures.bin", received.attachments[1].first);
    EXPECT_EQ(std::string("\x00\x01\x02\xfe\xff", 5), received.attachments[1].second);
    EXPECT_EQ(0, received.defects);
}

TEST_F(SendEMailTest, AFileThatCannotBeAttachedIsNamedInTheBodyAndTheRestIsSent)
{
    std::string present = TestFile("present.txt", "here");
    std::string missing = TestFilePath("missing.txt");

    ASSERT_EQ(1, mail::SendEMail(Parameters({server, "s@example.com", "t@example.com",
                                             "Attachments", "Body", missing + ";" + present}),
                                 lastError))
        << lastError;

    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    EXPECT_EQ("Body\nUnable to attach file: " + missing, mail[0].body);
    ASSERT_EQ(1u, mail[0].attachments.size());
    EXPECT_EQ("present.txt", mail[0].attachments[0].first);
    EXPECT_EQ("here", mail[0].attachments[0].second);
}

TEST_F(SendEMailTest, OnlyServerSenderAndRecipientsAreNeeded)
{
    ASSERT_EQ(1, mail::SendEMail(Parameters({server, "s@example.com", "t@example.com"}),
                                 lastError))
        << lastError;
    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    int subjects = 0;
    EXPECT_EQ("", mail[0].Header("Subject", &subjects));
    EXPECT_EQ(1, subjects);
    EXPECT_EQ("", mail[0].body);
    EXPECT_TRUE(mail[0].attachments.empty());
}

// A team list written without blanks and a word of 1 500 characters: each
// makes a header line longer than a mail line may be unless it is folded,
// and the server refuses such a line.
TEST_F(SendEMailTest, TeamListAndOverlongWordArriveWhole)
{
    std::vector<std::string> team;
    std::string list;
    for (int i = 0; i < 40; ++i) {
        team.push_back("team.member." + std::to_string(i) + "@operations.example.com");
        list += (i ? ";" : "") + team.back();
    }
    std::string word;
    for (int i = 0; i < 1500; ++i)
        word += "abcdefghijklmnopqrstuvwxyz0123456789"[i % 36];
    const std::string subject = "Report " + word + " done";

    ASSERT_EQ(1, mail::SendEMail(Parameters({server, "scheduler@example.com", list, subject, "Body"}),
                                 lastError))
        << lastError;
    std::vector<ReceivedMail> mail = ReadReceivedMail();
    ASSERT_EQ(1u, mail.size());
    const ReceivedMail& received = mail[0];
    EXPECT_EQ(team, received.recipients);
    EXPECT_EQ(subject, received.Header("Subject"));
    // Folded after its commas: unfolded, the same addresses in the same order.
    std::vector<std::string> to;
    std::string raw = received.RawHeader("To");
    for (size_t start = 0; start <= raw.size();) {
        size_t comma = raw.find(',', start);
        if (comma == std::string::npos)
            comma = raw.size();
        std::string entry = raw.substr(start, comma - start);
        entry.erase(0, entry.find_first_not_of(' '));
        to.push_back(entry);
        start = comma + 1;
    }
    EXPECT_EQ(team, to);
    // A single text part ends with its line break.
    EXPECT_EQ("Body\n", received.body);
    EXPECT_EQ(0, received.defects);
}

struct FailureCase {
    const char* what;
    std::vector<std::string> parameters;
    const char* error;
};

TEST_F(SendEMailTest, FailuresNameTheReasonSendNothingAndLeaveNoTemporaryFile)
{
    const FailureCase cases[] = {
        {"no parameters", {}, "Wrong number of Parameters"},
        {"two parameters", {server, "s@example.com"}, "Wrong number of Parameters"},
        // No run's test server is ever on 127.0.0.x.
        {"server that cannot be reached",
         {"127.0.0.2", "s@example.com", "t@example.com", "Subject", "Body"},
         "SendMail Failed: Unable to connect to 127.0.0.2 port 25: connection refused"},
        {"rejected recipient",
         {server, "s@example.com", "t@example.com;rejected@example.com", "Subject", "Body"},
         "SendMail Failed: 550 5.1.1 <rejected@example.com>: Recipient address rejected"},
        {"refused sender",
         {server, "refused-sender@example.com", "t@example.com", "Subject", "Body"},
         "SendMail Failed: 553 5.7.1 Sender refused by policy"},
        {"refused content",
         {server, "s@example.com", "t@example.com", "please refuse-data", "Body"},
         "SendMail Failed: 554 5.6.0 Message content refused"},
        {"no recipient", {server, "s@example.com", ";", "Subject", "Body"},
         "SendMail Failed: No recipients"},
    };
    for (const FailureCase& c : cases) {
        lastError = "left by an earlier command";
        EXPECT_EQ(0, mail::SendEMail(Parameters(c.parameters), lastError)) << c.what;
        EXPECT_STREQ(c.error, lastError) << c.what;
        EXPECT_EQ(0, TemporaryMessageFiles()) << c.what;
    }
    EXPECT_TRUE(ReadReceivedMail().empty());
}

}  // namespace
