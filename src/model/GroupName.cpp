#include "GroupName.h"

#include "base/PathUtils.h"

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

QString NameRefusal(const QString& name, NameKind kind)
{
    const QString noun =
        kind == NameKind::Group ? QStringLiteral("group") : QStringLiteral("account");
    const QString aNoun =
        (kind == NameKind::Group ? QStringLiteral("a ") : QStringLiteral("an ")) + noun;
    QChar forbidden;
    switch (FindNameProblem(name, &forbidden))
    {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QStringLiteral("You must enter %1 name.").arg(aNoun);
    case NameProblem::Character:
        return QStringLiteral(
                   "You must use %1 name without any of the characters \\ / : * ? \" < > |.")
            .arg(aNoun);
    case NameProblem::InvisibleCharacter:
        return QStringLiteral("You must use %1 name without invisible characters or characters "
                              "that turn text around; this one has U+%2.")
            .arg(aNoun, QString::number(forbidden.unicode(), 16).toUpper().rightJustified(4, u'0'));
    case NameProblem::TrailingDotOrBlank:
        return QStringLiteral("You must use %1 name that doesn't end with a period or a space.")
            .arg(aNoun);
    case NameProblem::DeviceName:
        return QStringLiteral("You must use another %1 name: \"%2\" is the name of a device on "
                              "Windows.")
            .arg(noun, name);
    case NameProblem::TooLong:
        return QStringLiteral("You must use a shorter %1 name: this one is too long to be a file "
                              "name.")
            .arg(noun);
    }
    return {};
}

QString FindEntryNamed(const QString& folder, const QString& name)
{
    const QStringList entries = ListFolderEntries(folder);
    const auto found =
        std::find_if(entries.cbegin(), entries.cend(),
                     [&](const QString& entry) { return SameGroupName(entry, name); });
    return found == entries.cend() ? QString() : *found;
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
