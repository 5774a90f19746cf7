#pragma once
// The result line lblErr and the debug console's log txtMsg.

#include <QString>

namespace tk {
class Label;
class LogBox;
} // namespace tk

class ResultConsole {
public:
    static constexpr quint32 kSuccessColour = 0x80FF80; // light green
    static constexpr quint32 kFailureColour = 0x8080FF; // light red
    // The log keeps this many newest lines; older ones are dropped so that a
    // long run neither grows memory nor slows each append.
    static constexpr int kLogLines = 5000;
    // and at most this many characters (about 2 MB of text), for replies
    // that are tens of kilobytes each.
    static constexpr qsizetype kLogChars = 1 << 20;

    ResultConsole(tk::Label *lblErr, tk::LogBox *txtMsg);

    void ErrCode(qint16 iCod, const QString &sDescr);
    void lblErr_Click();
    void LogMessage(const QString &sData);

    // The client's own short notices (a bad port, a row without a time): the
    // failure colour, no code.
    void ShowNotice(const QString &text);
    void Clear(); // Send empties the line; the colour stays

private:
    tk::Label *m_lblErr;
    tk::LogBox *m_txtMsg;
};
