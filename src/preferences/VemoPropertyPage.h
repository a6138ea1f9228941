#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;

// A page of the preferences: it reads its settings when first shown and writes them back only
// when the sheet is confirmed, and only when it was shown, so a page never opened changes nothing.
class CVemoPropertyPage : public QWidget
{
    Q_OBJECT

public:
    explicit CVemoPropertyPage(QWidget* parent = nullptr);

    bool WasVisited() const { return m_bVisited; }
    virtual void OnOK() = 0;

signals:
    // Something the sheet's Apply would store has changed.
    void Modified();

protected:
    virtual void OnSetActive() = 0;
    // Controls named, so tests and the pages' own code find the same ones.
    static QCheckBox* NamedCheck(const QString& text, const char* name, QWidget* parent);
    static QLineEdit* NamedEdit(const char* name, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    bool m_bVisited = false;
};
