#include "console/CompetitorsWindow.h"

#include "match/CompetitorText.h"
#include "match/Competitors.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane::view {

namespace {

QLabel* sideLabel(const QString& text, const char* back, const char* fore)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(60);
    label->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; font-weight: bold; "
                                        "padding: 3px 8px; }")
                             .arg(QLatin1String(back), QLatin1String(fore)));
    return label;
}

} // namespace

CompetitorsWindow::CompetitorsWindow(Competitors& competitors, QWidget* parent)
    : QDialog(parent), m_competitors(competitors)
{
    setObjectName(QStringLiteral("competitorsWindow"));
    setWindowTitle(QStringLiteral("Competitors"));
    setModal(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Name")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Club or country")), 0, 2);
    m_akaName = box(QStringLiteral("akaName"), CompetitorText::kNameMax);
    m_akaClub = box(QStringLiteral("akaClub"), CompetitorText::kClubMax);
    m_shiroName = box(QStringLiteral("shiroName"), CompetitorText::kNameMax);
    m_shiroClub = box(QStringLiteral("shiroClub"), CompetitorText::kClubMax);
    QLabel* aka = sideLabel(QStringLiteral("Aka"), "#c00000", "#ffffff");
    QLabel* shiro = sideLabel(QStringLiteral("Shiro"), "#e0e0e0", "#000040");
    aka->setBuddy(m_akaName);
    shiro->setBuddy(m_shiroName);
    m_akaName->setAccessibleName(QStringLiteral("Aka name"));
    m_akaClub->setAccessibleName(QStringLiteral("Aka club or country"));
    m_shiroName->setAccessibleName(QStringLiteral("Shiro name"));
    m_shiroClub->setAccessibleName(QStringLiteral("Shiro club or country"));
    grid->addWidget(aka, 1, 0);
    grid->addWidget(m_akaName, 1, 1);
    grid->addWidget(m_akaClub, 1, 2);
    grid->addWidget(shiro, 2, 0);
    grid->addWidget(m_shiroName, 2, 1);
    grid->addWidget(m_shiroClub, 2, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply |
                                         QDialogButtonBox::Cancel);
    QPushButton* clearButton =
        buttons->addButton(QStringLiteral("Clear"), QDialogButtonBox::ResetRole);
    clearButton->setObjectName(QStringLiteral("clear"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CompetitorsWindow::apply);
    connect(clearButton, &QPushButton::clicked, this, &CompetitorsWindow::clear);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setMinimumWidth(480);

    m_observer = m_competitors.addObserver([this] { refresh(); });
    refresh();
}

CompetitorsWindow::~CompetitorsWindow()
{
    m_competitors.removeObserver(m_observer);
}

QLineEdit* CompetitorsWindow::box(const QString& name, int maxLength)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

void CompetitorsWindow::apply()
{
    m_competitors.set(CompetitorText::cleaned({m_akaName->text(), m_akaClub->text()}),
                      CompetitorText::cleaned({m_shiroName->text(), m_shiroClub->text()}));
    // What was cleaned away shows at once.
    refresh();
}

void CompetitorsWindow::refresh()
{
    m_akaName->setText(m_competitors.aka().name);
    m_akaClub->setText(m_competitors.aka().club);
    m_shiroName->setText(m_competitors.shiro().name);
    m_shiroClub->setText(m_competitors.shiro().club);
}

void CompetitorsWindow::clear()
{
    for (QLineEdit* edit : {m_akaName, m_akaClub, m_shiroName, m_shiroClub})
        edit->clear();
    m_akaName->setFocus();
}

} // namespace kestrane::view
