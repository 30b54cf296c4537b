#include "tournament/MatchList.h"

#include "tournament/Csv.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace kestrane {

namespace {

// Names go on a projector and into a spreadsheet: no control characters,
// no runs of blanks.
QString clean(const QString& cell)
{
    QString out;
    for (const QChar c : cell)
        out += (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
                   ? QChar(u' ')
                   : c;
    return out.simplified();
}

QChar separatorOf(const QString& header)
{
    const Csv::Split comma = Csv::splitLine(header, u',');
    const Csv::Split semi = Csv::splitLine(header, u';');
    return semi.cells.size() > comma.cells.size() ? QChar(u';') : QChar(u',');
}

} // namespace

bool MatchList::isMatchTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):([0-5]\\d)$"));
    const QRegularExpressionMatch m = form.match(text);
    return m.hasMatch() && (m.captured(1).toInt() > 0 || m.captured(2).toInt() > 0);
}

MatchList::Result MatchList::parse(const QByteArray& input)
{
    Result result;
    QByteArray bytes = input.left(kMaxBytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (input.size() > kMaxBytes)
        result.problems << QStringLiteral(
                               "The file is larger than %1 bytes; the rest was not read.")
                               .arg(kMaxBytes);

    const QList<QByteArray> lines = bytes.split('\n');
    QChar sep;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString where = QStringLiteral("Line %1: ").arg(n + 1);
        QByteArray raw = lines.at(n);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.trimmed().isEmpty())
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString line = utf8(raw);
        if (utf8.hasError()) {
            result.problems << where + QStringLiteral("not UTF-8 text.");
            continue;
        }
        if (sep.isNull()) {
            // The first line that is not blank names the columns.
            sep = separatorOf(line);
            continue;
        }
        if (line.size() > kMaxLineLength) {
            result.problems << where +
                                   QStringLiteral("longer than %1 characters.").arg(kMaxLineLength);
            continue;
        }
        const Csv::Split split = Csv::splitLine(line, sep);
        if (!split.closed) {
            result.problems << where + QStringLiteral("a quote is opened and not closed.");
            continue;
        }
        QStringList cells;
        for (const QString& c : split.cells)
            cells << clean(c);
        // Spreadsheets pad short rows with empty cells at the end.
        while (cells.size() > 6 && cells.last().isEmpty())
            cells.removeLast();
        if (cells.size() < 5 || cells.size() > 6) {
            result.problems << where +
                                   QStringLiteral("%1 columns; expected 5 or 6 (match, Aka, Aka "
                                                  "club, Shiro, Shiro club, time).")
                                       .arg(cells.size());
            continue;
        }
        if (std::any_of(cells.cbegin(), cells.cend(),
                        [](const QString& c) { return c.size() > kMaxCell; })) {
            result.problems
                << where + QStringLiteral("a cell is longer than %1 characters.").arg(kMaxCell);
            continue;
        }
        MatchEntry e{cells[0], {cells[1], cells[2]}, {cells[3], cells[4]}, cells.value(5)};
        if (e.aka.name.isEmpty() || e.shiro.name.isEmpty()) {
            result.problems << where + QStringLiteral("a competitor's name is missing.");
            continue;
        }
        if (!e.time.isEmpty() && !isMatchTime(e.time)) {
            result.problems << where +
                                   QStringLiteral("the time \"%1\" is not m:ss (for example 2:00).")
                                       .arg(e.time);
            continue;
        }
        if (result.entries.size() == kMaxEntries) {
            result.problems << where +
                                   QStringLiteral("more than %1 matches; the rest was not read.")
                                       .arg(kMaxEntries);
            break;
        }
        result.entries << e;
    }
    if (sep.isNull())
        result.problems << QStringLiteral("The file is empty: a header row and one line per match "
                                          "are expected.");
    return result;
}

} // namespace kestrane
