#pragma once
// A double click as Qt delivers it to a widget: press, release, double
// click, release. QTest::mouseDClick alone sends only the third event.

#include <QTest>

namespace mouse {

inline void doubleClick(QWidget *w, QPoint at = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

} // namespace mouse
