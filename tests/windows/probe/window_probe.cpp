// A Qt plugin for the end-to-end run under Wine (tests/windows/e2e.sh): the
// program loads it with "-plugin dalvimo_probe:FILE" and it writes, twice a
// second, the text of every named label, text box and button of its windows
// to FILE, one "name=text" line each, in UTF-8 (an image as "[picture WxH]",
// its size in device pixels). So a test reads what the real program shows,
// from outside, without changing the program.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace {

QString shownText(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (const QPixmap picture = label->pixmap(); !picture.isNull())
            return QStringLiteral("[picture %1x%2]").arg(picture.width()).arg(picture.height());
        return label->text();
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    return {};
}

class Probe : public QObject
{
public:
    explicit Probe(const QString &file) : m_file(file)
    {
        connect(&m_timer, &QTimer::timeout, this, &Probe::write);
        m_timer.start(500);
    }

private:
    void write()
    {
        QStringList lines;
        for (const QWidget *w : QApplication::allWidgets()) {
            const QString text = shownText(w);
            if (!w->objectName().isEmpty() && !text.isNull())
                lines << w->objectName() + u'=' + QString(text).replace(u'\n', QStringLiteral("\\n"));
        }
        lines.sort();
        QSaveFile out(m_file);
        if (out.open(QIODevice::WriteOnly))
            out.write((lines.join(u'\n') + u'\n').toUtf8());
        out.commit();
    }

    QString m_file;
    QTimer m_timer;
};

} // namespace

class ProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "window_probe.json")

public:
    QObject *create(const QString &key, const QString &file) override
    {
        return key == u"dalvimo_probe" && !file.isEmpty() ? new Probe(file) : nullptr;
    }
};

#include "window_probe.moc"
