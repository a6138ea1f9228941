#pragma once

#include <QString>

// Group names are told apart as stored names always have been: only the ASCII letters ignore
// case, so "été" and "ÉTÉ" are two groups while "Home" and "HOME" are one.
bool SameGroupName(const QString& a, const QString& b);
