#include "FontEx.h"

#include "base/Archive.h"

void CFontEx::Serialize(CArchive& ar)
{
    ar.Exchange(m_lf.lfCharSet);
    ar.Exchange(m_lf.lfClipPrecision);
    ar.Exchange(m_lf.lfEscapement);
    if (ar.IsStoring())
    {
        QString faceName = m_lf.lfFaceName.left(CLogFont::MaxFaceNameLength);
        ar.ExchangeRepeated(faceName);
    }
    else
    {
        ar.ExchangeRepeated(m_lf.lfFaceName);
        if (m_lf.lfFaceName.size() > CLogFont::MaxFaceNameLength)
            m_lf.SetFaceName(m_lf.lfFaceName);
    }
    ar.Exchange(m_lf.lfHeight);
    ar.Exchange(m_lf.lfItalic);
    ar.Exchange(m_lf.lfOrientation);
    ar.Exchange(m_lf.lfOutPrecision);
    ar.Exchange(m_lf.lfPitchAndFamily);
    ar.Exchange(m_lf.lfQuality);
    ar.Exchange(m_lf.lfStrikeOut);
    ar.Exchange(m_lf.lfUnderline);
    ar.Exchange(m_lf.lfWeight);
    ar.Exchange(m_lf.lfWidth);
}
