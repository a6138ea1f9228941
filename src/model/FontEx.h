#pragma once

#include "base/LogFont.h"

class CArchive;

// A font description as an item's record stores it: the LOGFONT members in alphabetical order
// of their names. The description is kept exactly as read, so a re-saved file is unchanged.
// It works on the caller's description in place, as every item of a load passes here.
class CFontEx
{
public:
    explicit CFontEx(CLogFont& font)
        : m_lf(font)
    {
    }

    void Serialize(CArchive& ar);

private:
    CLogFont& m_lf;
};
