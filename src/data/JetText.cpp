#include "data/JetText.h"

#include <QChar>

#include <sqlite3.h>

#include <algorithm>

namespace jettext {

namespace {

// Bytes that are not well-formed UTF-8 stand for themselves in a range
// that no character folds into, so any text still has a fixed place.
constexpr char32_t kStrayByte = 0xDC00;

char32_t decode(const unsigned char *&p, const unsigned char *end)
{
    const unsigned lead = *p++;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return kStrayByte + lead;
    }
    if (end - p < extra)
        return kStrayByte + lead;
    for (int k = 0; k < extra; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return kStrayByte + lead;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    p += extra;
    return cp;
}

inline unsigned asciiLower(unsigned c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

int collate(void *, int aBytes, const void *a, int bBytes, const void *b)
{
    return compare(static_cast<const char *>(a), aBytes, static_cast<const char *>(b), bBytes);
}

bool likeMatch(const QChar *s, const QChar *se, const QChar *p, const QChar *pe)
{
    while (p < pe) {
        const QChar pc = *p;
        if (pc == QLatin1Char('*')) {
            while (p < pe && *p == QLatin1Char('*'))
                ++p;
            if (p == pe)
                return true;
            for (const QChar *k = s; k <= se; ++k) {
                if (likeMatch(k, se, p, pe))
                    return true;
            }
            return false;
        }
        if (s == se)
            return false;
        if (pc == QLatin1Char('?')) {
            ++s;
            ++p;
        } else if (pc == QLatin1Char('#')) {
            if (!s->isDigit())
                return false;
            ++s;
            ++p;
        } else if (pc == QLatin1Char('[')) {
            const QChar *close = p + 1;
            while (close < pe && *close != QLatin1Char(']'))
                ++close;
            if (close == pe) {
                // An unclosed [ matches itself.
                if (*s != pc)
                    return false;
                ++s;
                ++p;
                continue;
            }
            const QChar *q = p + 1;
            bool negate = false;
            if (q < close && *q == QLatin1Char('!')) {
                negate = true;
                ++q;
            }
            const QChar sc = s->toCaseFolded();
            bool in = false;
            while (q < close) {
                const QChar lo = q->toCaseFolded();
                if (q + 2 < close && q[1] == QLatin1Char('-')) {
                    const QChar hi = q[2].toCaseFolded();
                    if (sc >= lo && sc <= hi)
                        in = true;
                    q += 3;
                } else {
                    if (sc == lo)
                        in = true;
                    ++q;
                }
            }
            if (in == negate)
                return false;
            ++s;
            p = close + 1;
        } else {
            if (s->toCaseFolded() != pc.toCaseFolded())
                return false;
            ++s;
            ++p;
        }
    }
    return s == se;
}

} // namespace

int compare(const char *a, int aBytes, const char *b, int bBytes)
{
    const auto *pa = reinterpret_cast<const unsigned char *>(a);
    const auto *pb = reinterpret_cast<const unsigned char *>(b);
    const int n = std::min(aBytes, bBytes);
    int i = 0;
    for (; i < n; ++i) {
        unsigned ca = pa[i], cb = pb[i];
        if ((ca | cb) >= 0x80)
            break;
        if (ca != cb) {
            ca = asciiLower(ca);
            cb = asciiLower(cb);
            if (ca != cb)
                return int(ca) - int(cb);
        }
    }
    if (i == n)
        return aBytes - bBytes;
    // From the first character outside ASCII on: code points, folded.
    const unsigned char *ea = pa + aBytes, *eb = pb + bBytes;
    pa += i;
    pb += i;
    while (pa < ea && pb < eb) {
        const char32_t x = QChar::toCaseFolded(decode(pa, ea));
        const char32_t y = QChar::toCaseFolded(decode(pb, eb));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return int(pa < ea) - int(pb < eb);
}

bool like(QStringView value, QStringView pattern)
{
    return likeMatch(value.data(), value.data() + value.size(), pattern.data(), pattern.data() + pattern.size());
}

void registerCollation(sqlite3 *db)
{
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, collate);
}

} // namespace jettext
