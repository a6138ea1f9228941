#pragma once

#include "TimerWnd.h"

// Saves the open account every "AutoSave Interval" milliseconds. The application owns the one
// instance, so it stops before the event loop goes away.
class CAutoSaveTimer : public CTimerWnd
{
    Q_OBJECT

public:
    // The first start reads the interval from the settings; later starts keep it.
    bool Start() override;
    // A new period from the preferences: 0 or less switches auto-save off.
    void SetPeriod(qint32 milliseconds);
    void OnTick() override;

private:
    void CreateWithPeriod(qint32 milliseconds);

    bool m_bCreated = false;
};
