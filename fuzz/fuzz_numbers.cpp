// Any text through the number readers: no crash, no undefined behaviour,
// the shortest text of a value reads back as that value, and a line the
// settings reader takes as a number is a whole number of the same value by
// the system's leading-number rule.
#include "console/SettingsFile.h"
#include "core/Numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace N = kestrane::Numbers;

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

void check(const QString& text)
{
    const double v = N::val(text);
    require(std::isfinite(v));
    const QString shortest = N::str(v);
    require(N::isWholeNumber(shortest));
    require(N::val(shortest) == v);

    const float f = static_cast<float>(v);
    if (std::isfinite(f)) {
        const QString single = N::singleText(f);
        require(static_cast<float>(N::val(single)) == f);
    }

    if (const std::optional<double> read = kestrane::SettingsFile::readNumber(text, QLocale::c())) {
        require(N::isWholeNumber(text));
        require(*read == N::val(text));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* chars = reinterpret_cast<const char*>(data);
    const auto n = static_cast<qsizetype>(size);
    check(QString::fromUtf8(chars, n));
    check(QString::fromLatin1(chars, n));
    return 0;
}
