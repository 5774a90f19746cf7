#pragma once
// stdout or stderr as a device for QTextStream, written through
// term::write: wide characters to a Windows console, UTF-8 bytes elsewhere.
// Each flush of the stream reaches the file at once, as it did on a QFile.

#include <QIODevice>

#include <cstdio>

namespace term {

class OutputDevice : public QIODevice {
public:
    explicit OutputDevice(std::FILE *stream);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    std::FILE *m_stream;
};

} // namespace term
