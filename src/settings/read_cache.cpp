#include "settings/read_cache.h"

#include "settings/profile_file.h"

namespace profile {
namespace {
ReadCache *innermost = nullptr;
} // namespace

ReadCache::ReadCache(const QString &fileName) : m_fileName(fileName), m_outer(innermost)
{
    innermost = this;
}

ReadCache::~ReadCache()
{
    innermost = m_outer;
}

ReadCache *ReadCache::forFile(const QString &fileName)
{
    for (ReadCache *c = innermost; c; c = c->m_outer)
        if (c->m_fileName == fileName)
            return c;
    return nullptr;
}

void ReadCache::fileWritten(const QString &fileName)
{
    for (ReadCache *c = innermost; c; c = c->m_outer)
        if (c->m_fileName == fileName)
            c->m_loaded = false;
}

const std::optional<QByteArray> &ReadCache::content()
{
    if (!m_loaded) {
        m_content = readableContent(m_fileName);
        m_loaded = true;
    }
    return m_content;
}

} // namespace profile
