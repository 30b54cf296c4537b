// Any bytes as a match list: the reader never fails, every match it keeps
// is one an operator could call, and each kept name goes into the results
// log and reads back as written (made harmless, never split or merged).
#include "tournament/Csv.h"
#include "tournament/MatchList.h"
#include "tournament/ResultsLog.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kestrane;

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const MatchList::Result r = MatchList::parse(bytes);
    require(r.entries.size() <= MatchList::kMaxEntries);
    for (const MatchEntry& e : r.entries) {
        require(!e.aka.name.isEmpty() && !e.shiro.name.isEmpty());
        require(e.time.isEmpty() || MatchList::isMatchTime(e.time));
        const QStringList cells{e.label, e.aka.name, e.aka.club, e.shiro.name, e.shiro.club};
        QByteArray line = ResultsLog::csvLine(cells);
        require(line.endsWith("\r\n") && line.count('\n') == 1);
        line.chop(2);
        const QStringList back = Csv::splitLine(QString::fromUtf8(line), u',').cells;
        require(back.size() == cells.size());
        for (qsizetype i = 0; i < cells.size(); ++i)
            require(back[i] == cells[i] || back[i] == u'\'' + cells[i]);
    }
    return 0;
}
