#pragma once

#include <QStringView>

// Orders two texts as QString::compare with Qt::CaseInsensitive does (the same sign), but steps
// over plain ASCII without the toolkit's per-character case folding, so sorting thousands of
// titles stays quick.
int CompareCaseless(QStringView left, QStringView right);
