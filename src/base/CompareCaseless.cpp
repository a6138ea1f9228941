#include "CompareCaseless.h"

namespace
{
constexpr char16_t FirstNonAscii = 0x80;

char16_t FoldAscii(char16_t ch)
{
    return ch >= u'A' && ch <= u'Z' ? char16_t(ch + (u'a' - u'A')) : ch;
}

int Sign(qsizetype difference)
{
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}
} // namespace

// Past a common ASCII prefix the toolkit decides: a character beyond ASCII may fold to an ASCII
// letter (the Kelvin sign folds to 'k'), so only the toolkit knows what it equals.
int CompareCaseless(QStringView left, QStringView right)
{
    const qsizetype common = qMin(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i)
    {
        const char16_t a = left[i].unicode();
        const char16_t b = right[i].unicode();
        if (a == b)
            continue;
        if (a >= FirstNonAscii || b >= FirstNonAscii)
        {
            // Equal units are stepped over, so a pair may be split there; the toolkit folds it
            // whole.
            const qsizetype from = i > 0 && QChar::isLowSurrogate(a) ? i - 1 : i;
            return Sign(left.sliced(from).compare(right.sliced(from), Qt::CaseInsensitive));
        }
        const char16_t foldedA = FoldAscii(a);
        const char16_t foldedB = FoldAscii(b);
        if (foldedA != foldedB)
            return foldedA < foldedB ? -1 : 1;
    }
    return Sign(left.size() - right.size());
}
