#include "widgets/AccessibleNames.h"

#include "core/Element.h"

#include <QHash>

namespace kestrane::view {

namespace {

QHash<QString, QString> describedControls()
{
    // The penalty grid's boxes are named by PenaltyBoxNames, which follows
    // the rule set's captions.
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
        {QStringLiteral("Frame12"), QStringLiteral("KO count")},
        {QStringLiteral("Command15"), QStringLiteral("Stop KO count")},
    };
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
