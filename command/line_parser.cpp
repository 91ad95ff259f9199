// Reading one command-script line: comment test, keyword, parameter text and
// the split of the parameters.
#include "command/macro_command.h"

#include <cstdlib>

#include "command/line_language.h"

bool IsCommentLine(const CString& line)
{
    CString text = line;
    text.TrimLeft();
    if (text.GetLength() < 2)
        return false;
    return text.Left(2) == "//" || text.GetAt(0) == '*';
}

bool IsNoOperationLine(const CString& full_line)
{
    return full_line.IsEmpty() || full_line.GetAt(0) == ':';
}

long LeadingInteger(const CString& text)
{
    // strtol rather than atoi: an out-of-range number saturates instead of
    // being undefined.
    return std::strtol(text, nullptr, 10);
}

void CMacroCommand::ParseLine(const CString& line)
{
    m_strFullLine = line;
    m_strFullLine.TrimLeft();
    m_strFullLine.TrimRight();
    m_parameters.clear();
    m_strParameterText.Empty();

    if (IsCommentLine(m_strFullLine)) {
        m_lineKind = LineKind::kComment;
        m_strKeyword = "Comment";
        return;
    }
    // An empty line or a label does nothing; it must not keep the previous
    // line's keyword, or running it would repeat that command.
    if (IsNoOperationLine(m_strFullLine)) {
        m_lineKind = LineKind::kNoOperation;
        m_strKeyword.Empty();
        return;
    }
    m_lineKind = LineKind::kCommand;
    SplitParameters();
}

void CMacroCommand::SplitParameters()
{
    if (m_strFullLine.Find('(') < 0)
        m_strFullLine += "()";
    const int open = m_strFullLine.Find('(');

    // Not trimmed: a blank before "(" stays part of the keyword.
    m_strKeyword = m_strFullLine.Left(open);
    if (!m_strKeyword.IsEmpty() && m_strKeyword.GetAt(0) == '!')
        m_strKeyword = m_strKeyword.Mid(1);

    m_strParameterText = m_strFullLine.Mid(open + 1);
    const int close = m_strParameterText.ReverseFind(')');
    if (close >= 0)
        m_strParameterText = m_strParameterText.Left(close);
    m_strParameterText.TrimLeft();
    m_strParameterText.TrimRight();

    if (m_strKeyword == "SendKeys") {
        m_parameters.push_back(m_strParameterText);
        return;
    }
    if (m_strParameterText.IsEmpty())
        return;

    // A comma ends a parameter only outside parentheses, and never in the last
    // position: stored scripts depend on both rules. Quotes are plain text.
    const bool drop_last_comma = m_strKeyword == "SendEMail";
    const char* text = m_strParameterText;
    const int last = m_strParameterText.GetLength() - 1;
    CString current;
    int depth = 0;
    for (int i = 0; i < last; ++i) {
        const char ch = text[i];
        if (ch == '(')
            ++depth;
        else if (ch == ')')
            --depth;
        if (ch == ',' && depth == 0) {
            m_parameters.push_back(current);
            current.Empty();
            continue;
        }
        current += ch;
    }
    if (!(text[last] == ',' && drop_last_comma))
        current += text[last];
    m_parameters.push_back(current);
}

CString CMacroCommand::GetParameter(int n) const
{
    if (n < 1 || n > GetParameterCount())
        return CString();
    return m_parameters[n - 1];
}

long CMacroCommand::GetParameterAsInt(int n) const
{
    return LeadingInteger(GetParameter(n));
}
