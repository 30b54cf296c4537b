#include "console/AccessibleNames.h"

#include "core/Element.h"

#include <QHash>

namespace kestrane::view {

namespace {

QHash<QString, QString> describedControls()
{
    QHash<QString, QString> names{
        {QStringLiteral("tijdu"), QStringLiteral("Clock one second up")},
        {QStringLiteral("tijdd"), QStringLiteral("Clock one second down")},
        {QStringLiteral("MyButton5"), QStringLiteral("Choose end-of-match sound")},
        {QStringLiteral("MyButton8"), QStringLiteral("Choose warning sound")},
        {QStringLiteral("ippon"), QStringLiteral("Number of Ippon")},
        {QStringLiteral("Text5"), QStringLiteral("Match time minutes")},
        {QStringLiteral("Text6"), QStringLiteral("Match time seconds")},
        {QStringLiteral("Text1"), QStringLiteral("Field number")},
        {QStringLiteral("eindwav"), QStringLiteral("End-of-match sound file")},
        {QStringLiteral("waarwav"), QStringLiteral("Warning sound file")},
        {QStringLiteral("hsch"), QStringLiteral("Horiz. scale")},
        {QStringLiteral("vsch"), QStringLiteral("Vert.scale")},
        {QStringLiteral("fsch"), QStringLiteral("Font scale")},
        {QStringLiteral("sbtxt"), QStringLiteral("Board width")},
        {QStringLiteral("shtxt"), QStringLiteral("Board height")},
        {QStringLiteral("Check2"), QStringLiteral("Shiro penalty S")},
        {QStringLiteral("Check11"), QStringLiteral("Aka penalty S")},
        {QStringLiteral("SanbonB"), QStringLiteral("Shiro Ippon")},
        {QStringLiteral("MyButton1"), QStringLiteral("Shiro Ippon minus one")},
        {QStringLiteral("NihonB"), QStringLiteral("Shiro Waza-ari")},
        {QStringLiteral("Command9"), QStringLiteral("Shiro Waza-ari minus one")},
        {QStringLiteral("Command6"), QStringLiteral("Aka Ippon")},
        {QStringLiteral("Command10"), QStringLiteral("Aka Ippon minus one")},
        {QStringLiteral("Command8"), QStringLiteral("Aka Waza-ari")},
        {QStringLiteral("MyButton2"), QStringLiteral("Aka Waza-ari minus one")},
    };
    // The penalty grids, row by row as designed; the last row starts with
    // its extra box.
    struct Grid {
        const char* side;
        int boxes[3][4];
    };
    const Grid grids[] = {{"Shiro", {{1, 4, 3, 0}, {19, 17, 18, 0}, {8, 5, 6, 7}}},
                          {"Aka", {{12, 9, 10, 0}, {20, 22, 21, 0}, {16, 13, 14, 15}}}};
    const char* columns[] = {"A", "C", "H"};
    for (const Grid& g : grids) {
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4 && g.boxes[r][c]; ++c) {
                const QString column = r == 2 ? (c == 0 ? QStringLiteral("extra")
                                                        : QString::fromLatin1(columns[c - 1]))
                                              : QString::fromLatin1(columns[c]);
                names.insert(QStringLiteral("Check%1").arg(g.boxes[r][c]),
                             QStringLiteral("%1 penalty %2 row %3")
                                 .arg(QString::fromLatin1(g.side), column)
                                 .arg(r + 1));
            }
        }
    }
    return names;
}

} // namespace

QString accessibleNameFor(const Element& e)
{
    static const QHash<QString, QString> described = describedControls();
    const auto it = described.constFind(e.displayName());
    if (it != described.constEnd())
        return *it;
    return e.caption();
}

} // namespace kestrane::view
