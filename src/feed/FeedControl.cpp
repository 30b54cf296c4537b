#include "feed/FeedControl.h"

#include "feed/FeedService.h"

namespace kestrane {

FeedControl::FeedControl(FeedSources sources, QString choicePath, QObject* parent)
    : QObject(parent), m_sources(sources), m_choicePath(std::move(choicePath)),
      m_choice(FeedChoice::load(m_choicePath))
{
}

FeedControl::~FeedControl() = default;

void FeedControl::startUp(const QString& commandLineAddress)
{
    if (!commandLineAddress.isNull()) {
        m_commandLine = commandLineAddress;
        run(commandLineAddress);
    } else if (m_choice.on) {
        run(m_choice.address());
    }
    Q_EMIT changed();
}

void FeedControl::apply(const FeedChoice& choice)
{
    m_choice = choice;
    m_commandLine.clear();
    if (!m_choice.save(m_choicePath))
        m_error = QStringLiteral("The choice could not be saved in %1.").arg(m_choicePath);
    m_service.reset();
    if (m_choice.on)
        run(m_choice.address());
    else
        m_error.clear();
    Q_EMIT changed();
}

void FeedControl::run(const QString& address)
{
    m_service.reset();
    m_error.clear();
    m_service = FeedService::start(m_sources, address, &m_error);
    if (m_service) {
        m_service->setResultsProvider(m_results);
        m_service->setServeResults(m_choice.serveResults);
    }
}

QStringList FeedControl::pageAddresses() const
{
    return m_service ? m_service->pageAddresses() : QStringList();
}

void FeedControl::setResultsProvider(std::function<QByteArray()> provider)
{
    m_results = std::move(provider);
    if (m_service)
        m_service->setResultsProvider(m_results);
}

} // namespace kestrane
