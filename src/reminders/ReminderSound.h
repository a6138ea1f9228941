#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QSoundEffect;

// Plays the reminder's sound file, or beeps when there is none or it cannot be played. It never
// waits for the sound: a missing device or a broken file ends in the beep, not in a hang.
class CReminderSound : public QObject
{
    Q_OBJECT

public:
    explicit CReminderSound(QObject* parent = nullptr);

    void Play(const QString& path);

signals:
    void Beeped();

private:
    void OnStatusChanged();
    void Beep();

    QSoundEffect* m_pEffect = nullptr;
    bool m_bPlayWhenLoaded = false;
    // A sound that is still loading after this long is given up for the beep.
    QTimer m_loadTimeout;
};
