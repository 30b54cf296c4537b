#include "tournament/Csv.h"

namespace kestrane::Csv {

Split splitLine(const QString& line, QChar sep)
{
    Split out;
    QString cell;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"' && cell.trimmed().isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            cell.clear();
        } else if (c == sep) {
            out.cells << cell;
            cell.clear();
            wasQuoted = false;
        } else {
            cell += c;
        }
    }
    out.cells << cell;
    out.closed = !quoted;
    return out;
}

} // namespace kestrane::Csv
