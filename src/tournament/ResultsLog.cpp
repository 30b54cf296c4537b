#include "tournament/ResultsLog.h"

#include "tournament/Csv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace kestrane {

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");
const QString kComplete = QStringLiteral("yes");
// A results file past this is not read back for the feed.
constexpr qint64 kReadLimit = 16 << 20;

// A spreadsheet runs a cell that starts with one of these as a formula; a
// leading apostrophe makes it plain text.
QString harmless(QString cell)
{
    for (QChar& c : cell) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    static const QString starts = QStringLiteral("=+-@");
    if (!cell.isEmpty() && starts.contains(cell.front()))
        cell.prepend(u'\'');
    return cell;
}

} // namespace

ResultsLog::ResultsLog(QString path) : m_path(std::move(path))
{
    writer = [](QFile& file, const QByteArray& bytes) {
        const qint64 written = file.write(bytes);
        // On the disk before the operator moves on: a power cut keeps it.
        return file.flush() && ::fsync(file.handle()) == 0 ? written : -1;
    };
}

QStringList ResultsLog::header()
{
    return {QStringLiteral("Date"),          QStringLiteral("Time"),
            QStringLiteral("Field"),         QStringLiteral("Match"),
            QStringLiteral("Aka"),           QStringLiteral("Aka club"),
            QStringLiteral("Shiro"),         QStringLiteral("Shiro club"),
            QStringLiteral("Aka ippon"),     QStringLiteral("Aka waza-ari"),
            QStringLiteral("Shiro ippon"),   QStringLiteral("Shiro waza-ari"),
            QStringLiteral("Aka penalties"), QStringLiteral("Shiro penalties"),
            QStringLiteral("Winner"),        QStringLiteral("How"),
            QStringLiteral("Match time"),    QStringLiteral("Time left"),
            QStringLiteral("Complete")};
}

QStringList ResultsLog::cells(const ResultRow& r)
{
    return {r.when.toString(QStringLiteral("yyyy-MM-dd")),
            r.when.toString(QStringLiteral("HH:mm:ss")),
            r.field,
            r.label,
            r.aka.name,
            r.aka.club,
            r.shiro.name,
            r.shiro.club,
            r.akaIppon,
            r.akaWazaAri,
            r.shiroIppon,
            r.shiroWazaAri,
            r.akaPenalties,
            r.shiroPenalties,
            r.winner,
            r.how,
            r.matchTime,
            r.timeLeft,
            kComplete};
}

QByteArray ResultsLog::csvLine(const QStringList& cells)
{
    QStringList out;
    for (const QString& raw : cells) {
        QString cell = harmless(raw);
        if (cell.contains(u',') || cell.contains(u'"') || cell.contains(u';') ||
            cell.startsWith(u' ') || cell.endsWith(u' '))
            cell = u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
        out << cell;
    }
    return out.join(u',').toUtf8() + "\r\n";
}

ResultsLog::Appended ResultsLog::append(const ResultRow& row)
{
    Appended result;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return result;
    QByteArray chunk;
    const qint64 size = file.size();
    if (size == 0) {
        chunk = kBom + csvLine(header());
    } else {
        // A row cut short stays on its own line; the new one starts afresh.
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last))
            return result;
        if (last != '\n')
            chunk = "\r\n";
    }
    result.bytes = csvLine(cells(row));
    result.offset = size + chunk.size();
    chunk += result.bytes;
    // One write, so that a crash can cut the row short but never mix rows.
    result.ok = writer(file, chunk) == chunk.size();
    return result;
}

ResultsLog::Appended ResultsLog::replaceLast(qint64 offset, const QByteArray& bytes,
                                             const ResultRow& row)
{
    QFile file(m_path);
    if (offset > 0 && file.open(QIODevice::ReadWrite) && file.size() == offset + bytes.size() &&
        file.seek(offset) && file.read(bytes.size() + 1) == bytes) {
        if (!file.resize(offset))
            return {};
    }
    file.close();
    return append(row);
}

ResultsLog::Contents ResultsLog::read() const
{
    Contents out;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QByteArray bytes = file.read(kReadLimit);
    if (bytes.startsWith(kBom))
        bytes.remove(0, kBom.size());
    const qsizetype columns = header().size();
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QByteArray line = lines.at(n);
        const bool ended = n + 1 < lines.size();
        // "\r\r\n": a row cut between its CR and LF, ended by the next append.
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList cells = Csv::splitLine(QString::fromUtf8(line), u',').cells;
        if (ended && cells.size() == columns && cells.last() == kComplete)
            out.rows << cells;
        else
            out.torn << static_cast<int>(n + 1);
    }
    return out;
}

QByteArray ResultsLog::json() const
{
    const QStringList keys = header();
    QJsonArray rows;
    for (const QStringList& cells : read().rows) {
        QJsonObject row;
        for (qsizetype i = 0; i + 1 < keys.size(); ++i)
            row.insert(keys.at(i), cells.at(i));
        rows.append(row);
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Compact);
}

} // namespace kestrane
