#include "common/output_device.h"

#include "common/console.h"

namespace term {

OutputDevice::OutputDevice(std::FILE *stream) : m_stream(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 OutputDevice::readData(char *, qint64)
{
    return -1;
}

// QTextStream hands over whole characters: it encodes all it holds at once.
qint64 OutputDevice::writeData(const char *data, qint64 size)
{
    term::write(m_stream, QByteArrayView(data, size));
    return size;
}

} // namespace term
