#include "link/result_console.h"

#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/text_setters.h"

ResultConsole::ResultConsole(tk::Label *lblErr, tk::LogBox *txtMsg) : m_lblErr(lblErr), m_txtMsg(txtMsg)
{
    m_txtMsg->setMaximumBlockCount(kLogLines);
    m_txtMsg->setMaximumChars(kLogChars);
}

// A result is mostly followed, in the same handling, by the next send that
// empties the line again; only what is left at the end is drawn.
void ResultConsole::ErrCode(qint16 iCod, const QString &sDescr)
{
    m_lblErr->drawAtEndOfTurn();
    if (iCod == 0) {
        m_lblErr->setText(QStringLiteral("0k!"));
        tk::setForeColor(m_lblErr, kSuccessColour);
    } else {
        m_lblErr->setText(QStringLiteral("Err=") + QString::number(iCod) + QStringLiteral(" (") + sDescr
                          + QLatin1Char(')'));
        tk::setForeColor(m_lblErr, kFailureColour);
    }
    // The line clears itself soon after and is never focused: said, or lost.
    tk::announce(m_lblErr, m_lblErr->text());
}

void ResultConsole::lblErr_Click()
{
    tk::setCaption(m_lblErr, QString());
}

void ResultConsole::LogMessage(const QString &sData)
{
    m_txtMsg->appendLine(sData);
}

void ResultConsole::ShowNotice(const QString &text)
{
    ShowOutcome(text, false);
}

void ResultConsole::ShowOutcome(const QString &text, bool success)
{
    m_lblErr->drawAtEndOfTurn();
    m_lblErr->setText(text);
    tk::setForeColor(m_lblErr, success ? kSuccessColour : kFailureColour);
    tk::announce(m_lblErr, text);
}

// Every send clears the line, the poll's "ping" too: an empty line stays
// as it is, without a repaint every two seconds.
void ResultConsole::Clear()
{
    tk::setCaption(m_lblErr, QString());
}
