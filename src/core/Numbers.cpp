#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kestrane::Numbers {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Collects the leading number of the text as plain ASCII, blanks dropped.
// Sets consumedAll when nothing but blanks follows the number.
std::string leadingNumber(const QString& text, bool& consumedAll)
{
    std::string out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            out += '-';
        ++i;
    }
    bool mantissaDigits = false;
    bool point = false;
    for (;;) {
        skipBlanks();
        if (i >= n)
            break;
        const QChar c = text[i];
        if (isDigit(c)) {
            out += static_cast<char>(c.unicode());
            mantissaDigits = true;
            ++i;
        } else if (c == u'.' && !point) {
            out += '.';
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (!mantissaDigits) {
        consumedAll = false;
        return {};
    }
    // Exponent: taken only when digits follow it; otherwise reading stops
    // before the "e" and the number stands without it.
    const qsizetype beforeExponent = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        std::string exponent = "e";
        skipBlanks();
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            exponent += static_cast<char>(text[i].unicode());
            ++i;
        }
        bool expDigits = false;
        for (;;) {
            skipBlanks();
            if (i < n && isDigit(text[i])) {
                exponent += static_cast<char>(text[i].unicode());
                expDigits = true;
                ++i;
            } else {
                break;
            }
        }
        if (expDigits)
            out += exponent;
        else
            i = beforeExponent;
    }
    skipBlanks();
    consumedAll = (i == n);
    return out;
}

} // namespace

double fromAscii(std::string_view s)
{
    if (s.empty())
        return 0.0;
    double v = 0.0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    // from_chars does not take a leading '+' and ignores the C locale, which
    // Qt sets from the environment.
    const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(v))
        return 0.0;
    return v;
}

double val(const QString& text)
{
    bool all = false;
    return fromAscii(leadingNumber(text, all));
}

bool isWholeNumber(const QString& text)
{
    bool all = false;
    const std::string s = leadingNumber(text, all);
    return !s.empty() && all;
}

QString str(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    char buf[64];
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
        return QString::fromLatin1(buf, r.ptr - buf);
    }
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString singleText(float value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    QString s = QString::fromLatin1(buf, r.ptr - buf);
    if (!std::signbit(value))
        s.prepend(u' ');
    return s;
}

} // namespace kestrane::Numbers
