#pragma once

#include <QString>
#include <QStringList>

namespace kestrane::Csv {

struct Split {
    QStringList cells;
    bool closed = true; // every quote that opens a cell also closes it
};

// One CSV line: cells separated by `sep`; a cell in double quotes may hold
// the separator, and "" stands for a quote.
Split splitLine(const QString& line, QChar sep);

} // namespace kestrane::Csv
