// Any bytes as kumite.ini: the reader never fails, start-up's plan keeps
// its shape, and what Save writes from the texts read reads back the same.
#include "console/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace SF = kestrane::SettingsFile;

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

void checkPlan(const SF::Lines& lines, const QLocale& locale)
{
    const SF::Loaded l = SF::interpret(lines, locale);
    const auto line = [&](int n) {
        return n <= lines.lines.size() ? lines.lines[n - 1] : QString();
    };
    require(l.eindwav == line(1));
    require(l.waarwav == line(2));
    require(l.options.size() <= 4);
    require(l.options.isEmpty() || l.scales.has_value());
    require(l.wukf.has_value() == (l.options.size() == 4));
    if (l.scales) {
        for (int k = 0; k < 3; ++k) {
            const QString& s = (*l.scales)[k];
            require(s == QStringLiteral("1") || s == line(3 + k));
            if (3 + k <= lines.lines.size())
                require(SF::readNumber(line(3 + k), locale).has_value());
        }
    }
    for (int v : l.options)
        require(v == 0 || v == 1);
    if (l.wukf)
        require(*l.wukf == (l.options[3] == 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SF::Lines lines = SF::readLines(bytes);
    require(lines.lines.size() <= SF::kLines);
    require(!lines.complete || lines.lines.size() == SF::kLines);
    for (const QString& l : lines.lines)
        require(!SF::hasLineBreak(l));

    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Swedish, QLocale::Sweden)};
    for (const QLocale& locale : locales)
        checkPlan(lines, locale);

    if (lines.lines.size() >= 5) {
        const QStringList& t = lines.lines;
        const SF::Settings s{t[0], t[1], t[2], t[3], t[4], {true, false, size % 2 == 0, false}};
        const std::optional<QByteArray> written = SF::write(s);
        require(written.has_value());
        require(written->count("\r\n") == SF::kLines && written->count('\n') == SF::kLines);
        const SF::Lines again = SF::readLines(*written);
        require(again.complete);
        require(again.lines.mid(0, 5) == t.mid(0, 5));
    }
    return 0;
}
