#pragma once

#include "LogFont.h"

class CArchive;

// A font description as an item's record stores it: the LOGFONT members in alphabetical order
// of their names. The description is kept exactly as read, so a re-saved file is unchanged.
class CFontEx
{
public:
    CFontEx() = default;
    explicit CFontEx(const CLogFont& font)
        : m_lf(font)
    {
    }

    const CLogFont& GetLogFont() const { return m_lf; }
    void Serialize(CArchive& ar);

private:
    CLogFont m_lf;
};
