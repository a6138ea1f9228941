#include "VemoPropertyPage.h"

#include <QCheckBox>
#include <QLineEdit>

CVemoPropertyPage::CVemoPropertyPage(QWidget* parent)
    : QWidget(parent)
{
}

// Values typed on the page survive a change of tab, so it reads the settings only once.
void CVemoPropertyPage::showEvent(QShowEvent* event)
{
    if (!m_bVisited)
    {
        m_bVisited = true;
        OnSetActive();
    }
    QWidget::showEvent(event);
}

QCheckBox* CVemoPropertyPage::NamedCheck(const QString& text, const char* name, QWidget* parent)
{
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

QLineEdit* CVemoPropertyPage::NamedEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}
