#include "console/SettingsFile.h"

#include "core/Numbers.h"

#include <QStringDecoder>

#include <cmath>
#include <string>

namespace kestrane::SettingsFile {

namespace {

// 0x80 to 0x9F of Windows-1252; 0xA0 to 0xFF equal Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeLine(const QByteArray& bytes)
{
    // A byte-order mark inside a line is text like any other: keeping it
    // makes every line read back exactly as it was written. Only the one
    // an editor puts at the start of the file is dropped, by readLines.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                  QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Matches `what` at position i of text (an empty `what` never matches).
bool startsAt(const QString& text, qsizetype i, const QString& what)
{
    return !what.isEmpty() && QStringView(text).sliced(i).startsWith(what);
}

} // namespace

QString fromWindows1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F)
            out += QChar(kCp1252High[b - 0x80]);
        else
            out += QChar(static_cast<char16_t>(b));
    }
    return out;
}

Lines readLines(const QByteArray& bytes)
{
    Lines result;
    const qsizetype n = bytes.size();
    // Editors that save UTF-8 with a byte-order mark: it is not part of line 1.
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (result.lines.size() < kLines && i < n) {
        const qsizetype start = i;
        while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        result.lines.append(decodeLine(bytes.sliced(start, i - start)));
        if (i >= n)
            break; // the last line ends with the bytes
        if (result.lines.size() == kLines)
            result.complete = true;
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        ++i;
    }
    return result;
}

std::optional<double> readNumber(const QString& line, const QLocale& locale)
{
    qsizetype i = 0;
    qsizetype n = line.size();
    while (i < n && isBlank(line[i]))
        ++i;
    while (n > i && isBlank(line[n - 1]))
        --n;

    std::string ascii;
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    if (i < n && (line[i] == u'-' || line[i] == u'+')) {
        if (line[i] == u'-')
            ascii += '-';
        ++i;
    } else if (startsAt(line, i, minus)) {
        ascii += '-';
        i += minus.size();
    } else if (startsAt(line, i, plus)) {
        i += plus.size();
    }

    const QString separator = locale.decimalPoint();
    bool digits = false;
    bool point = false;
    while (i < n) {
        if (isDigit(line[i])) {
            ascii += static_cast<char>(line[i].unicode());
            digits = true;
            ++i;
        } else if (!point && line[i] == u'.') {
            ascii += '.';
            point = true;
            ++i;
        } else if (!point && startsAt(line, i, separator)) {
            ascii += '.';
            point = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;

    if (i < n && (line[i] == u'e' || line[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (line[i] == u'-' || line[i] == u'+')) {
            ascii += static_cast<char>(line[i].unicode());
            ++i;
        }
        bool exponentDigits = false;
        while (i < n && isDigit(line[i])) {
            ascii += static_cast<char>(line[i].unicode());
            exponentDigits = true;
            ++i;
        }
        if (!exponentDigits)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    return Numbers::fromAscii(ascii);
}

Loaded interpret(const Lines& lines, const QLocale& locale)
{
    Loaded loaded;
    const auto line = [&](int number) -> const QString* {
        return number <= lines.lines.size() ? &lines.lines[number - 1] : nullptr;
    };

    if (const QString* l = line(1))
        loaded.eindwav = *l;
    if (const QString* l = line(2))
        loaded.waarwav = *l;

    std::array<QString, 3> scales;
    for (int k = 0; k < 3; ++k) {
        const QString* l = line(3 + k);
        if (!l) {
            scales[k] = QStringLiteral("1");
            continue;
        }
        const std::optional<double> v = readNumber(*l, locale);
        if (!v)
            return loaded;
        scales[k] = (*v == 0.0) ? QStringLiteral("1") : *l;
    }
    loaded.scales = scales;

    for (int k = 0; k < 4; ++k) {
        const QString* l = line(6 + k);
        if (!l) {
            loaded.options.append(0);
            continue;
        }
        const std::optional<double> v = readNumber(*l, locale);
        if (!v)
            return loaded;
        loaded.options.append(*v == 1.0 ? 1 : 0);
    }
    loaded.wukf = loaded.options[3] == 1;
    return loaded;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

std::optional<QByteArray> write(const Settings& settings)
{
    const QString* texts[] = {&settings.eindwav, &settings.waarwav, &settings.hsch, &settings.vsch,
                              &settings.fsch};
    QByteArray out;
    for (const QString* t : texts) {
        if (hasLineBreak(*t))
            return std::nullopt;
        out += t->toUtf8();
        out += "\r\n";
    }
    for (const bool on : settings.options)
        out += on ? " 1 \r\n" : " 0 \r\n";
    return out;
}

} // namespace kestrane::SettingsFile
