#pragma once
// A drop-down list. ListIndex -1 means no item selected; Text then shows the
// free text last set, if any (greyed, it is no item of the list). Setting
// the selection from code raises Click at once, and only when it changes.

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace tk {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index); // raises Click when it changes
    QString Text() const;
    // Selects the item equal to text; without one, no item is selected and
    // the text itself is shown.
    void setText(const QString &text);
    void AddItem(const QString &item); // selects nothing by itself
    void AddItems(const QStringList &items); // all at once, the same way
    void Clear(); // no Click

signals:
    // The user chose an item, just before its Click: the form has it said
    // to a screen reader, which says nothing of a drop-down's new item by
    // itself (said before the handler, whose send may bring a result to say).
    void Chosen();
    void Click();

private:
    void showFreeText(const QString &text);

    QString m_freeText;
};

} // namespace tk
