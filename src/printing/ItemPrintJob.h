#pragma once

#include "PrintJob.h"
#include "model/VemoItem.h"

#include <QFont>
#include <QVector>

class CVemoAccount;
class IGroupTree;
class QPaintDevice;
class QTextLayout;

// Prints the selected item, its group or the whole account as a table: a row of status box,
// title, Do By and priority for each item with its message wrapped under it, below a header and
// the page number on every page. The pages come from one layout pass, which the drawing follows,
// so the page count is the number of pages drawn and every item is printed.
class CItemPrintJob : public CPrintJob
{
public:
    CItemPrintJob(const CVemoAccount& account, const IGroupTree& tree, QWidget* parent = nullptr);

protected:
    bool PreparePrinting(QPrinter& printer) override;
    int BeginPrinting(QPrinter& printer) override;
    void PrintPage(QPainter& painter, int page) override;

private:
    // A piece of a page: an item's row with its message, or, for a message longer than a page,
    // the lines that go on this page.
    struct CSlice
    {
        int m_nItem = 0;
        int m_nFirstLine = 0;
        int m_nLineCount = 0;
        bool m_bWithRow = true;
        bool m_bEndsItem = true;
    };

    bool RunOptionsDialog();
    void CollectItems(int scope);
    QString DefaultHeader(int scope) const;
    void MakeFonts(QPrinter& printer);
    void LayOutPages(QPrinter& printer);
    // The item's message, broken into lines across the message box.
    void LayOutMessage(QTextLayout& layout, const CVemoItem& item, QPaintDevice& device) const;
    int HeaderHeight(QPaintDevice& device) const;
    int DrawHeader(QPainter& painter, int page) const;
    int DrawColumnTitles(QPainter& painter, int top) const;
    int DrawSlice(QPainter& painter, const CSlice& slice, int top) const;
    void DrawRow(QPainter& painter, const CVemoItem& item, int top) const;
    void DrawCellText(QPainter& painter, const QRect& cell, Qt::Alignment alignment,
                      const QString& text) const;
    QRect CellRect(int column, int top) const;

    const CVemoAccount& m_account;
    const IGroupTree& m_tree;
    QVector<CVemoItem> m_items;
    QString m_strHeader;
    QFont m_fontHeader;
    QFont m_fontRow;
    QFont m_fontMessage;
    // The page less the margins, in device units.
    QRect m_rectArea;
    QVector<int> m_columns;
    int m_nRowHeight = 0;
    QVector<QVector<CSlice>> m_pages;
};
