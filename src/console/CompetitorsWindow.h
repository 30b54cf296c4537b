#pragma once

#include <QDialog>

class QLineEdit;

namespace kestrane {
class Competitors;
}

namespace kestrane::view {

// "Competitors": Aka's and Shiro's names, each with an optional club or
// country code. It does not block the console: the clock and the scores
// stay at hand while the next pair is typed in. Nothing reaches the board
// until Apply or OK; Clear empties the boxes. A pair set elsewhere (the
// match list) shows in the boxes at once.
class CompetitorsWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CompetitorsWindow(Competitors& competitors, QWidget* parent = nullptr);
    ~CompetitorsWindow() override;

    // Writes the boxes into the pair on the mat.
    void apply();
    // Shows the pair on the mat in the boxes.
    void refresh();
    void clear();

private:
    QLineEdit* box(const QString& name, int maxLength);

    Competitors& m_competitors;
    int m_observer = 0;
    QLineEdit* m_akaName = nullptr;
    QLineEdit* m_akaClub = nullptr;
    QLineEdit* m_shiroName = nullptr;
    QLineEdit* m_shiroClub = nullptr;
};

} // namespace kestrane::view
