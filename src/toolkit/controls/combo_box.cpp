#include "toolkit/controls/combo_box.h"

namespace tk {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this](int) {
        showFreeText(QString());
        emit Chosen();
        emit Click();
    });
}

void ComboBox::showFreeText(const QString &text)
{
    m_freeText = text;
    // Qt selects the first item when the placeholder is cleared with nothing
    // selected; the selection stays what it was.
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    setPlaceholderText(text);
    setCurrentIndex(keep);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count() || index == currentIndex())
        return;
    setCurrentIndex(index);
    showFreeText(QString());
    emit Click();
}

QString ComboBox::Text() const
{
    return currentIndex() >= 0 ? currentText() : m_freeText;
}

void ComboBox::setText(const QString &text)
{
    const int i = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0) {
        setListIndex(i);
        return;
    }
    const int before = currentIndex();
    setCurrentIndex(-1);
    showFreeText(text);
    if (before != -1)
        emit Click();
}

void ComboBox::AddItem(const QString &item)
{
    // Qt selects the first item added to an empty list; a list box does not.
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    addItem(item);
    setCurrentIndex(keep);
}

void ComboBox::AddItems(const QStringList &items)
{
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    addItems(items);
    setCurrentIndex(keep);
}

void ComboBox::Clear()
{
    const QSignalBlocker block(this);
    clear();
    showFreeText(QString());
}

} // namespace tk
