#include "match/CompetitorText.h"

#include <QTextBoundaryFinder>

namespace kestrane {

QString CompetitorText::cleaned(const QString& text, int max)
{
    QString line = text;
    for (QChar& c : line) {
        const QChar::Category cat = c.category();
        if (cat == QChar::Other_Control || cat == QChar::Separator_Line ||
            cat == QChar::Separator_Paragraph)
            c = u' ';
    }
    line = line.simplified();
    if (line.size() <= max)
        return line;
    // The last character boundary within the cap: a surrogate pair or an
    // accent on its letter stays whole.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.setPosition(max);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    return line.left(std::max<qsizetype>(0, finder.position())).trimmed();
}

Competitor CompetitorText::cleaned(const Competitor& c)
{
    return {cleaned(c.name, kNameMax), cleaned(c.club, kClubMax)};
}

QString CompetitorText::boardLine(const Competitor& c)
{
    const Competitor t = cleaned(c);
    if (t.club.isEmpty())
        return t.name;
    if (t.name.isEmpty())
        return t.club;
    return QStringLiteral("%1 (%2)").arg(t.name, t.club);
}

} // namespace kestrane
