#include "gui/transfer_link.h"

#include "gui/main_window_port.h"

namespace {

constexpr std::chrono::seconds kAutoStartDelay{1};

// The argument text after the program name, as the command line gave it.
QString ArgumentText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

zvk::TransferSession::Options SessionOptions(const QStringList& arguments)
{
    zvk::TransferSession::Options options;
    options.closeAfterEachTransfer = arguments.size() > 1;
    return options;
}

} // namespace

TransferLink::TransferLink(MainWindowPort& port, const QStringList& arguments,
                           zvk::HandheldPlace handheld, zvk::NetworkLinkPlace network,
                           std::function<zvk::TransferInputs()> inputs, zvk::Clock& clock)
    : m_port(port), m_argumentText(ArgumentText(arguments)), m_inputs(std::move(inputs)),
      m_chooser(std::move(network), clock),
      m_session(
          port, &port, clock,
          // The window's working folder moves with the files the user chooses: handheld/ is
          // looked for where it is when the link opens.
          [this, place = std::move(handheld)](const std::filesystem::path& workingFolder) {
              zvk::HandheldPlace opened = place;
              opened.workingFolder = workingFolder;
              return m_chooser.Open(opened);
          },
          SessionOptions(arguments))
{
    if (arguments.size() < 2 || arguments[1].isEmpty())
        return;
    const QChar first = arguments[1].front();
    if (first == QLatin1Char('x'))
        m_session.StartAfter(kAutoStartDelay, zvk::PendingOperation::ReceiveLists, m_inputs());
    else if (first == QLatin1Char('k'))
        m_session.StartAfter(kAutoStartDelay, zvk::PendingOperation::SendConfiguration, m_inputs());
}

QString TransferLink::LinkedHandheldText() const
{
    const std::optional<zvk::wire::DeviceInfo> handheld = m_chooser.LinkedHandheld();
    return handheld ? QString::fromStdString(zvk::HandheldSummary(*handheld)) : QString();
}

TransferLink::~TransferLink()
{
    Shutdown();
}

void TransferLink::Start(zvk::PendingOperation operation)
{
    m_session.Start(operation, m_inputs());
}

void TransferLink::WindowShown()
{
    m_session.LinkReady();
    if (m_argumentText == QStringLiteral("/R"))
        Start(zvk::PendingOperation::ReceiveLists);
    else if (m_argumentText == QStringLiteral("/K"))
        Start(zvk::PendingOperation::SendConfiguration);
}

void TransferLink::Shutdown()
{
    m_port.Close();
    m_session.Stop();
}
