#pragma once

#include <QString>

class QWidget;

// The help's first page: beside the program in a build, in the data folder once installed. Empty
// when neither has it.
QString FindHelpContents();

// Opens the page in the desktop's browser; says so when it cannot.
void OpenHelp(QWidget* parent, const QString& contents);
