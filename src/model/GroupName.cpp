#include "GroupName.h"

#include <algorithm>

namespace
{
char16_t FoldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit;
}
} // namespace

bool SameGroupName(const QString& a, const QString& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](QChar x, QChar y) { return FoldAscii(x) == FoldAscii(y); });
}
