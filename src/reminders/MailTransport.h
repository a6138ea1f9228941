#pragma once

#include <QString>

// One way of handing a message to the user's mail system: silently for a reminder, or in a
// compose window for the user to finish and send.
class IMailTransport
{
public:
    enum Mode
    {
        SendSilently,
        OpenCompose,
    };

    enum Outcome
    {
        Sent,
        // Cancelled by the user or logon refused: the user knows, so nothing more is said.
        Cancelled,
        Failed,
    };

    struct CMailMessage
    {
        QString m_strFromName;
        QString m_strTo;
        QString m_strSubject;
        QString m_strBody;
    };

    virtual ~IMailTransport() = default;

    virtual bool IsAvailable(Mode mode) const = 0;
    virtual Outcome Send(const CMailMessage& message, Mode mode) = 0;
};
