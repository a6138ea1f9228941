#include "TextFit.h"

#include "PathUtils.h"

namespace
{
using Measure = std::function<int(const QString&)>;

QString Ellipsis()
{
    return QStringLiteral("...");
}

// A cut between the two halves of a surrogate pair would leave half a character behind.
bool SplitsPair(const QString& text, qsizetype pos)
{
    return pos > 0 && pos < text.size() && text[pos - 1].isHighSurrogate() &&
           text[pos].isLowSurrogate();
}

QString KeepFront(const QString& text, qsizetype count)
{
    return text.left(SplitsPair(text, count) ? count - 1 : count);
}

// What is left of text after taking out the character at the middle (length / 2) removed times
// over: the removals grow one run around the middle, so the front keeps the larger half.
QString JoinAroundMiddle(const QString& text, qsizetype removed, const QString& between)
{
    const qsizetype remaining = text.size() - removed;
    qsizetype front = (remaining + 1) / 2;
    qsizetype back = text.size() - remaining / 2;
    if (SplitsPair(text, front))
        --front;
    if (SplitsPair(text, back))
        ++back;
    return text.left(front) + between + text.mid(back);
}

// Widths only shrink as characters go, so the fewest removals that fit are found by halving
// instead of measuring once per character. Removing none is known not to fit and removing all
// is known to fit.
qsizetype FewestRemovals(qsizetype length, const std::function<bool(qsizetype)>& fitsAfter)
{
    qsizetype tooFew = 0;
    qsizetype enough = length;
    while (enough - tooFew > 1)
    {
        const qsizetype tried = tooFew + (enough - tooFew) / 2;
        (fitsAfter(tried) ? enough : tooFew) = tried;
    }
    return enough;
}

QString ShortenEnd(const Measure& measure, int maxWidth, const QString& text)
{
    const qsizetype removed = FewestRemovals(
        text.size(), [&](qsizetype tried)
        { return measure(Ellipsis() + KeepFront(text, text.size() - tried)) <= maxWidth; });
    return KeepFront(text, text.size() - removed) + Ellipsis();
}

QString ShortenMiddle(const Measure& measure, int maxWidth, const QString& text)
{
    const int available = maxWidth - measure(Ellipsis());
    const qsizetype removed =
        FewestRemovals(text.size(), [&](qsizetype tried)
                       { return measure(JoinAroundMiddle(text, tried, QString())) <= available; });
    return JoinAroundMiddle(text, removed, Ellipsis());
}

bool ShortenPath(const Measure& measure, int maxWidth, const QString& text, QString& result)
{
    const qsizetype separator = FindPathSeparator(text, false, -1);
    if (separator < 0)
    {
        result = ShortenMiddle(measure, maxWidth, text);
        return true;
    }
    const QString name = text.mid(separator);
    const int folderWidth = maxWidth - measure(name);
    if (folderWidth < 1)
        return FitTextToWidth(true, false, measure, maxWidth, name, result);

    QString folder;
    const bool shortened =
        FitTextToWidth(false, false, measure, folderWidth, text.left(separator), folder);
    result = folder + name;
    return shortened;
}
} // namespace

bool FitTextToWidth(bool endEllipsis, bool pathEllipsis, const Measure& measure, int maxWidth,
                    const QString& text, QString& result)
{
    if (measure(text) <= maxWidth)
    {
        result = text;
        return false;
    }
    if (measure(Ellipsis()) > maxWidth)
    {
        result = Ellipsis();
        return true;
    }
    if (endEllipsis)
        result = ShortenEnd(measure, maxWidth, text);
    else if (pathEllipsis)
        return ShortenPath(measure, maxWidth, text, result);
    else
        result = ShortenMiddle(measure, maxWidth, text);
    return true;
}
