#pragma once

#include "tournament/ResultRow.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QFile;

namespace kestrane {

// The results CSV: UTF-8 with a byte order mark and a header, one row per
// match, standard quoting, and no cell a spreadsheet would run as a formula.
// Rows are only ever appended, each in one write that is flushed to the disk.
// A row cut short (the program killed while writing) keeps every earlier row
// readable: it lacks the "yes" of the last column, and the next row starts
// on a line of its own.
class ResultsLog {
public:
    explicit ResultsLog(QString path);

    const QString& path() const { return m_path; }

    static QStringList header();
    static QStringList cells(const ResultRow& row);
    // One CSV line with its CRLF.
    static QByteArray csvLine(const QStringList& cells);

    struct Appended {
        bool ok = false;
        qint64 offset = -1; // where the row starts in the file
        QByteArray bytes;   // the row as written
    };
    Appended append(const ResultRow& row);
    // Replaces the row appended at `offset` as `bytes` when it is still the
    // file's last and unchanged; otherwise appends. The one case is a match
    // logged at a close that the next start restored.
    Appended replaceLast(qint64 offset, const QByteArray& bytes, const ResultRow& row);

    struct Contents {
        QList<QStringList> rows; // complete rows, header excluded
        QList<int> torn;         // line numbers of rows cut short
    };
    Contents read() const;
    // The complete rows as a JSON array of objects keyed by the header.
    QByteArray json() const;

    // Writes `bytes` into the open file, flushed to the disk, and returns how
    // many went, -1 on failure (tests put a failing or a faster writer here).
    std::function<qint64(QFile&, const QByteArray&)> writer;

private:
    QString m_path;
};

} // namespace kestrane
