#include "ReminderSound.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace
{
constexpr int LoadTimeoutMs = 2000;
} // namespace

CReminderSound::CReminderSound(QObject* parent)
    : QObject(parent)
{
    m_loadTimeout.setSingleShot(true);
    m_loadTimeout.setInterval(LoadTimeoutMs);
    connect(&m_loadTimeout, &QTimer::timeout, this,
            [this]
            {
                if (!m_bPlayWhenLoaded)
                    return;
                m_bPlayWhenLoaded = false;
                Beep();
            });
}

void CReminderSound::Play(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
    {
        Beep();
        return;
    }
    if (!m_pEffect)
    {
        m_pEffect = new QSoundEffect(this);
        connect(m_pEffect, &QSoundEffect::statusChanged, this, &CReminderSound::OnStatusChanged);
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (m_pEffect->source() != source)
        m_pEffect->setSource(source);
    // Loading goes on in the background; the sound plays, or the beep sounds, once it is done.
    m_bPlayWhenLoaded = true;
    m_loadTimeout.start();
    OnStatusChanged();
}

void CReminderSound::OnStatusChanged()
{
    if (!m_bPlayWhenLoaded)
        return;
    switch (m_pEffect->status())
    {
    case QSoundEffect::Ready:
        m_bPlayWhenLoaded = false;
        m_loadTimeout.stop();
        m_pEffect->play();
        return;
    case QSoundEffect::Error:
        m_bPlayWhenLoaded = false;
        m_loadTimeout.stop();
        Beep();
        return;
    default:
        return;
    }
}

void CReminderSound::Beep()
{
    QApplication::beep();
    emit Beeped();
}
