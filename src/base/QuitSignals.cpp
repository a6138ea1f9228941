#include "QuitSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
// A signal handler may only write to a descriptor; the event loop reads the other end.
int g_signalPipe[2] = {-1, -1};

void OnQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, sizeof byte);
}

const int QuitSignalNumbers[] = {SIGTERM, SIGHUP, SIGINT};
} // namespace

CQuitSignals::CQuitSignals(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CQuitSignals::OnSignalByte);
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : QuitSignalNumbers)
        ::sigaction(number, &action, nullptr);
}

CQuitSignals::~CQuitSignals()
{
    if (!m_pNotifier)
        return;
    for (int number : QuitSignalNumbers)
        ::signal(number, SIG_DFL);
    delete m_pNotifier;
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
}

void CQuitSignals::OnSignalByte()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[1], &byte, sizeof byte);
    emit QuitRequested();
}
