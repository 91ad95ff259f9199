#include "command/mail/send_email.h"

#include "command/mail/mail_texts.h"
#include "command/mail/message.h"
#include "command/mail/smtp_client.h"
#include "command/mail/temporary_message_file.h"
#include "task/shared/module_directory.h"

namespace mail {
namespace {

const long kSmtpPort = 25;
const long kTimeoutSeconds = 90;

CString Parameter(const std::vector<CString>& parameters, size_t index)
{
    return index < parameters.size() ? parameters[index] : CString();
}

int Fail(CString& lastError, const CString& libraryText)
{
    lastError.Format(kSendMailFailed, static_cast<const char*>(libraryText));
    return 0;
}

// Attaches every non-empty name of the ";" list in order; a file that cannot
// be attached is named in the body instead.
void AttachFiles(CMessage& message, const CString& list)
{
    int start = 0;
    while (start <= list.GetLength()) {
        int end = list.Find(';', start);
        if (end < 0)
            end = list.GetLength();
        CString name = list.Mid(start, end - start);
        if (!name.IsEmpty() && !message.AttachFile(name)) {
            CString line;
            line.Format(kUnableToAttachFile, static_cast<const char*>(name));
            message.AppendText(line);
        }
        start = end + 1;
    }
}

}  // namespace

int SendEMail(const std::vector<CString>& parameters, CString& lastError)
{
    CMessage message;
    CSmtpClient client;
    lastError.Empty();

    if (parameters.size() < 3) {
        lastError = kWrongNumberOfParameters;
        return 0;
    }
    const CString server = parameters[0];
    const CString sender = parameters[1];
    CString recipients = parameters[2];
    recipients.Replace(';', ',');
    const CString subject = Parameter(parameters, 3);
    const CString body = Parameter(parameters, 4);
    const CString attachments = Parameter(parameters, 5);

    if (!message.Create() || !message.SetHeader("From", sender) ||
        !message.SetHeader("To", recipients) || !message.SetHeader("Subject", subject))
        return Fail(lastError, message.GetLastErrorText());
    message.AppendText(body);
    AttachFiles(message, attachments);

    TemporaryMessageFile file;
    if (!file.Create(GetModuleDirectory().c_str())) {
        lastError = kNoTemporaryMessageFile;
        return 0;
    }
    if (!message.Export(file.GetPath()))
        return Fail(lastError, message.GetLastErrorText());

    if (!client.Connect(server, kSmtpPort, kTimeoutSeconds))
        return Fail(lastError, client.GetLastErrorText());
    bool sent = client.Greet() && client.SendMessageFile(sender, recipients, file.GetPath());
    // The reason must be read before QUIT can leave a text of its own.
    CString reason = sent ? CString() : client.GetLastErrorText();
    client.Disconnect();
    if (!sent)
        return Fail(lastError, reason);
    return 1;
}

}  // namespace mail
