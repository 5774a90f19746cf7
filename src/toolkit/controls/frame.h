#pragma once
// Frames and the picture-box container: plain group boxes.

#include <QGroupBox>

namespace tk {

class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent = nullptr) : QGroupBox(parent) {}
};

} // namespace tk
