#pragma once

#include "match/Competitors.h"

#include <QDateTime>
#include <QString>

namespace kestrane {

// What the results desk gets for one match left. Scores and times are the
// texts the console shows.
struct ResultRow {
    QDateTime when; // local date and time the match was left
    QString field;
    QString label;
    Competitor aka;
    Competitor shiro;
    QString akaIppon, akaWazaAri, shiroIppon, shiroWazaAri;
    QString akaPenalties, shiroPenalties; // ticked boxes, e.g. "C MA S"
    QString winner;                       // Aka, Shiro, both, none
    QString how;                          // points, time, penalty, KO count, abandoned
    QString matchTime;                    // m:ss
    QString timeLeft;                     // m:ss
};

} // namespace kestrane
