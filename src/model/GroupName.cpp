#include "GroupName.h"

#include "shell/PathUtils.h"

#include <algorithm>

namespace
{
char16_t FoldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit;
}

const QString GroupFileExtension = QStringLiteral(".grp");
} // namespace

bool SameGroupName(const QString& a, const QString& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](QChar x, QChar y) { return FoldAscii(x) == FoldAscii(y); });
}

bool IsGroupNameFree(const QString& name, const QStringList& groupNames,
                     const QStringList& folderEntries, const QString& renamedGroup)
{
    if (!IsPlainFileName(name))
        return false;
    const bool takenByGroup =
        std::any_of(groupNames.cbegin(), groupNames.cend(),
                    [&](const QString& group)
                    {
                        return SameGroupName(group, name) &&
                               (renamedGroup.isEmpty() || !SameGroupName(group, renamedGroup));
                    });
    const QString fileName = name + GroupFileExtension;
    const QString ownFile = renamedGroup.isEmpty() ? QString() : renamedGroup + GroupFileExtension;
    const bool takenByEntry = std::any_of(
        folderEntries.cbegin(), folderEntries.cend(),
        [&](const QString& entry) { return entry != ownFile && SameGroupName(entry, fileName); });
    return !takenByGroup && !takenByEntry;
}
