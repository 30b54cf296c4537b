#include "feed/FeedWindow.h"

#include "feed/FeedControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kestrane {

FeedWindow::FeedWindow(FeedControl& control, QWidget* parent)
    : QDialog(parent), m_control(control), m_status(new QLabel(this)),
      m_on(new QCheckBox(QStringLiteral("Serve the board to browsers"), this)),
      m_thisPc(new QRadioButton(QStringLiteral("This PC only"), this)),
      m_hall(new QRadioButton(QStringLiteral("The hall network (other PCs, phones, the "
                                             "streaming PC)"),
                              this)),
      m_port(new QSpinBox(this)),
      m_results(new QCheckBox(QStringLiteral("Serve results at /results"), this))
{
    setWindowTitle(QStringLiteral("Board feed"));
    setObjectName(QStringLiteral("feedWindow"));
    m_status->setWordWrap(true);
    m_status->setObjectName(QStringLiteral("feedStatus"));
    m_port->setRange(1, 65535);
    m_port->setAccessibleName(QStringLiteral("Port"));
    auto* portRow = new QHBoxLayout;
    auto* portLabel = new QLabel(QStringLiteral("&Port:"), this);
    portLabel->setBuddy(m_port);
    portRow->addWidget(portLabel);
    portRow->addWidget(m_port);
    portRow->addStretch();
    auto* where = new QGroupBox(QStringLiteral("Addresses"), this);
    m_addresses = new QGridLayout(where);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(m_status), static_cast<QWidget*>(m_on),
                       static_cast<QWidget*>(m_thisPc), static_cast<QWidget*>(m_hall)})
        layout->addWidget(w);
    layout->addLayout(portRow);
    layout->addWidget(m_results);
    layout->addWidget(where);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    // Enter in the port box applies the port; no button may take it and close the window.
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(m_on), static_cast<QAbstractButton*>(m_hall),
          static_cast<QAbstractButton*>(m_results)})
        connect(b, &QAbstractButton::toggled, this, &FeedWindow::choose);
    connect(m_port, &QSpinBox::editingFinished, this, &FeedWindow::choose);
    connect(&control, &FeedControl::changed, this, &FeedWindow::refresh);
    refresh();
}

void FeedWindow::choose()
{
    if (m_showing)
        return;
    FeedChoice c;
    c.on = m_on->isChecked();
    c.hall = m_hall->isChecked();
    c.port = static_cast<quint16>(m_port->value());
    c.serveResults = m_results->isChecked();
    // Nothing changed (a spin box losing the focus): the feed keeps running.
    if (c == m_control.choice() && m_control.commandLine().isEmpty() && m_control.running() == c.on)
        return;
    m_control.apply(c);
}

void FeedWindow::refresh()
{
    m_showing = true;
    const FeedChoice& c = m_control.choice();
    m_on->setChecked(m_control.running() || (c.on && !m_control.error().isEmpty()));
    m_hall->setChecked(c.hall);
    m_thisPc->setChecked(!c.hall);
    m_port->setValue(c.port);
    m_results->setChecked(c.serveResults);
    QString status;
    if (m_control.running())
        status = QStringLiteral("The board feed is on.");
    else if (!m_control.error().isEmpty())
        status = QStringLiteral("The board feed is off: port %1 cannot be used (%2). Choose "
                                "another port.")
                     .arg(c.port)
                     .arg(m_control.error());
    else
        status = QStringLiteral("The board feed is off.");
    if (!m_control.commandLine().isEmpty())
        status += QStringLiteral(" Started with --serve-board %1; a change here replaces it.")
                      .arg(m_control.commandLine());
    m_status->setText(status);

    while (QLayoutItem* item = m_addresses->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QStringList pages = m_control.pageAddresses();
    if (pages.isEmpty())
        m_addresses->addWidget(new QLabel(QStringLiteral("None while the feed is off.")), 0, 0);
    int row = 0;
    for (const QString& page : pages) {
        for (const auto& [what, url] :
             {std::pair{QStringLiteral("Board:"), page},
              std::pair{QStringLiteral("Overlay:"), page + QStringLiteral("overlay")}}) {
            auto* text = new QLabel(url);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse);
            auto* copy = new QPushButton(QStringLiteral("Copy"));
            copy->setAccessibleName(QStringLiteral("Copy %1").arg(url));
            copy->setAutoDefault(false);
            connect(copy, &QPushButton::clicked, this,
                    [address = url] { QApplication::clipboard()->setText(address); });
            m_addresses->addWidget(new QLabel(what), row, 0);
            m_addresses->addWidget(text, row, 1);
            m_addresses->addWidget(copy, row, 2);
            ++row;
        }
    }
    m_showing = false;
}

} // namespace kestrane
