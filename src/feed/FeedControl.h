#pragma once

#include "feed/FeedChoice.h"
#include "feed/FeedSources.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace kestrane {

class FeedService;

// Runs the live feed as the operator chose it: from the command line, which
// wins at start, or from the feed window, whose choice is kept in its file.
class FeedControl final : public QObject {
    Q_OBJECT
public:
    FeedControl(FeedSources sources, QString choicePath, QObject* parent = nullptr);
    ~FeedControl() override;

    // At start: the command line's address when given, else the kept choice.
    void startUp(const QString& commandLineAddress);
    // Keeps the choice and (re)starts or stops the feed to match it.
    void apply(const FeedChoice& choice);

    const FeedChoice& choice() const { return m_choice; }
    bool running() const { return m_service != nullptr; }
    // Why the last start failed ("The address is in use"), or empty.
    QString error() const { return m_error; }
    // The --serve-board address the feed runs on, or empty.
    QString commandLine() const { return m_commandLine; }
    QStringList pageAddresses() const;
    FeedService* service() const { return m_service.get(); }

    void setResultsProvider(std::function<QByteArray()> provider);

Q_SIGNALS:
    void changed();

private:
    void run(const QString& address);

    FeedSources m_sources;
    QString m_choicePath;
    FeedChoice m_choice;
    std::unique_ptr<FeedService> m_service;
    QString m_error;
    QString m_commandLine;
    std::function<QByteArray()> m_results;
};

} // namespace kestrane
