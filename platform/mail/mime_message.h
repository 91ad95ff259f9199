// One mail message as CSMSGL32.dll composes it: header fields in the order
// they were set, a plain-text body and file attachments, written out as an
// Internet message (a single text part, or multipart/mixed with one base64
// part per attachment).
#pragma once

#include <string>
#include <utility>
#include <vector>

class MimeMessage {
public:
    // False with the reason for a name that is empty, holds anything but
    // printable ASCII other than ":", or names a field the composition
    // writes itself (MIME-Version, Content-Type, Content-Transfer-Encoding).
    bool SetHeader(const std::string& name, const std::string& value, std::string& reason);
    void AppendText(const std::string& text) { m_body += text; }
    void Attach(const std::string& file_name, std::string content);

    // The whole message, every line ending in CR LF. A "Date" field is added
    // when none was set.
    std::string Compose() const;

private:
    struct Attachment {
        std::string file_name;
        std::string content;
    };

    std::string BodyPart() const;
    std::string NewBoundary(const std::string& body) const;

    std::vector<std::pair<std::string, std::string>> m_headers;
    std::string m_body;
    std::vector<Attachment> m_attachments;
};
