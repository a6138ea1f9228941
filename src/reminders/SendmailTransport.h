#pragma once

#include "MailTransport.h"

#include <QDesktopServices>

#include <functional>
#include <optional>

class QUrl;
class QWidget;

// Mail on Unix: a reminder is piped to the system's sendmail program, and Send Item opens a
// mailto: link in the user's mail program for the user to finish and send.
class CSendmailTransport : public IMailTransport
{
public:
    static constexpr int DefaultTimeout = 10000;

    // Tests put their own opener in place of the desktop's, which they cannot watch.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit CSendmailTransport(QWidget* parent = nullptr,
                                UrlOpener openUrl = &QDesktopServices::openUrl);

    bool IsAvailable(Mode mode) const override;
    Outcome Send(const CMailMessage& message, Mode mode) override;

    // A sendmail still running after this many milliseconds is killed and the send has failed.
    void SetTimeout(int timeout) { m_nTimeout = timeout; }

private:
    bool PipeToSendmail(const CMailMessage& message) const;
    Outcome Fail() const;

    QWidget* m_pParent;
    UrlOpener m_openUrl;
    int m_nTimeout = DefaultTimeout;
    mutable std::optional<bool> m_bComposeAvailable;
};
