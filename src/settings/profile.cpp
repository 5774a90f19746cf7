#include "settings/profile.h"

#include "common/ansi.h"

#include <array>

namespace profile {
namespace {

constexpr QByteArrayView kBom("\xEF\xBB\xBF");

enum class Kind { Other, Header, Key };

// One line of the file, as offsets into its bytes.
struct Entry {
    Kind kind = Kind::Other;
    qsizetype start = 0;      // first byte of the line
    qsizetype end = 0;        // end of its text, before CR LF or LF
    qsizetype next = 0;       // first byte of the following line
    qsizetype valueStart = 0; // Key: first byte after "=" and the blanks after it
    QByteArrayView name;      // Header, Key: trimmed name
};

// CR counts as a blank so that a stray CR before CR LF or at the end of the
// file never becomes part of a value.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

QByteArrayView cutAtNul(QByteArrayView v)
{
    const qsizetype nul = v.indexOf('\0');
    return nul < 0 ? v : v.first(nul);
}

void classify(QByteArrayView text, Entry &e)
{
    const QByteArrayView body = text.sliced(e.start, e.end - e.start);
    const QByteArrayView t = trimmed(body);
    if (t.isEmpty() || t.front() == ';')
        return;
    if (t.front() == '[') {
        QByteArrayView inner = t.sliced(1);
        const qsizetype close = inner.indexOf(']');
        e.kind = Kind::Header;
        e.name = trimmed(close < 0 ? inner : inner.first(close));
        return;
    }
    const qsizetype eq = body.indexOf('=');
    if (eq < 0)
        return;
    const QByteArrayView name = trimmed(body.first(eq));
    if (name.isEmpty())
        return;
    qsizetype v = e.start + eq + 1;
    while (v < e.end && isBlank(text[v]))
        ++v;
    e.kind = Kind::Key;
    e.name = name;
    e.valueStart = v;
}

// Calls visit(entry) for every line in order until it returns false. No
// list of lines is built: a file of millions of empty lines costs nothing.
template <typename Visit>
void forEachEntry(QByteArrayView text, Visit visit)
{
    qsizetype pos = text.startsWith(kBom) ? kBom.size() : 0;
    while (pos < text.size()) {
        Entry e;
        e.start = pos;
        const qsizetype nl = text.indexOf('\n', pos);
        e.next = nl < 0 ? text.size() : nl + 1;
        e.end = nl < 0 ? text.size() : nl;
        if (e.end > e.start && text[e.end - 1] == '\r')
            --e.end;
        classify(text, e);
        if (!visit(e))
            return;
        pos = e.next;
    }
}

// Lower-case partner of every byte as a Windows-1251 character; bytes
// without one map to themselves.
const std::array<unsigned char, 256> &foldTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            t[b] = static_cast<unsigned char>(b);
            const char byte = static_cast<char>(b);
            const QString ch = ansi::decode(QByteArrayView(&byte, 1));
            const QString lower = ch.toLower();
            if (lower == ch)
                continue;
            const QByteArray back = ansi::encode(lower);
            if (back.size() == 1 && ansi::decode(back) == lower)
                t[b] = static_cast<unsigned char>(back[0]);
        }
        return t;
    }();
    return table;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    const auto &fold = foldTable();
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold[static_cast<unsigned char>(a[i])] != fold[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

QByteArray valueOf(QByteArrayView text, const Entry &e)
{
    QByteArrayView v = trimmed(cutAtNul(text.sliced(e.valueStart, e.end - e.valueStart)));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

QByteArrayView lineEnding(QByteArrayView text)
{
    const qsizetype nl = text.indexOf('\n');
    if (nl > 0 && text[nl - 1] == '\r')
        return "\r\n";
    return nl < 0 ? "\r\n" : "\n";
}

bool breaksLine(QByteArrayView v)
{
    return v.contains('\r') || v.contains('\n') || v.contains('\0');
}

bool storable(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    if (section.isEmpty() || key.isEmpty())
        return false;
    if (breaksLine(section) || breaksLine(key) || breaksLine(value))
        return false;
    return !section.contains(']') && !key.contains('=') && !key.startsWith('[')
        && !key.startsWith(';');
}

// True when the bytes before pos do not end a line (pos is the end of a
// last line that has no line ending of its own).
bool needsLineEnding(QByteArrayView text, qsizetype pos)
{
    return pos > 0 && text[pos - 1] != '\n' && text.first(pos) != kBom;
}

} // namespace

std::optional<QByteArray> findValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key)
{
    section = trimmed(section);
    key = trimmed(key);
    if (section.isEmpty() || key.isEmpty())
        return std::nullopt;
    bool inSection = false;
    std::optional<QByteArray> found;
    forEachEntry(content, [&](const Entry &e) {
        if (e.kind == Kind::Header)
            inSection = sameName(e.name, section);
        else if (e.kind == Kind::Key && inSection && sameName(e.name, key))
            found = valueOf(content, e);
        return !found;
    });
    return found;
}

std::optional<QByteArray> withValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key, QByteArrayView value)
{
    section = trimmed(section);
    key = trimmed(key);
    if (!storable(section, key, value))
        return std::nullopt;

    bool inSection = false;
    bool inFirstSection = false;
    std::optional<Entry> match;       // the key line to change
    std::optional<Entry> insertAfter; // header or last key line of the first section
    forEachEntry(content, [&](const Entry &e) {
        if (e.kind == Kind::Header) {
            inSection = sameName(e.name, section);
            inFirstSection = inSection && !insertAfter;
            if (inFirstSection)
                insertAfter = e;
        } else if (e.kind == Kind::Key && inSection) {
            if (sameName(e.name, key))
                match = e;
            else if (inFirstSection)
                insertAfter = e;
        }
        return !match;
    });

    QByteArray out = content.toByteArray();
    if (match) {
        out.replace(match->valueStart, match->end - match->valueStart, value);
        return out;
    }

    const QByteArrayView eol = lineEnding(content);
    QByteArray add;
    const qsizetype at = insertAfter ? insertAfter->next : out.size();
    if (needsLineEnding(content, at))
        add += eol;
    if (!insertAfter)
        add += '[' + section.toByteArray() + ']' + eol.toByteArray();
    add += key.toByteArray() + '=' + value.toByteArray() + eol.toByteArray();
    out.insert(at, add);
    return out;
}

} // namespace profile
