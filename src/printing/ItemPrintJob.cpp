#include "ItemPrintJob.h"

#include "PrintOptionsDlg.h"
#include "base/LineBreaks.h"
#include "base/LocalTime.h"
#include "model/GroupTree.h"
#include "model/VemoAccount.h"

#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <cmath>

namespace
{
const QString DocumentName = QStringLiteral("Vemo List");
const QString HeaderPrefix = QStringLiteral("Vemo List - ");
const QString PageNumberFormat = QStringLiteral("%1 of %2");
const QString FontFace = QStringLiteral("Arial");
constexpr int HeaderPoints = 14;
constexpr int RowPoints = 8;
constexpr int MessagePoints = 8;
constexpr double MarginMm = 10.0;
constexpr double MmPerInch = 25.4;
// Column boundaries on a scale of 360 across the row area, and each column's title and alignment.
const int ColumnScale[] = {0, 20, 140, 260, 360};
const char* const ColumnTitles[] = {"Status", "Title", "Do By", "Priority"};
const Qt::Alignment ColumnAlignment[] = {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft,
                                         Qt::AlignHCenter};
constexpr int ColumnCount = 4;
// In device units: the message box's indent from the title column, its gap below the row, and
// the space each item takes beyond its row and message.
constexpr int MessageIndent = 15;
constexpr int MessageGap = 5;
constexpr int ItemSpacing = 50;
// The gap between the header text and the page number beside it.
constexpr int HeaderGap = 20;
constexpr int WidestPageNumber = 99999;
constexpr double StatusBoxShare = 0.8;
constexpr int StatusPenWidth = 2;
constexpr int CellPadding = 4;
// A cell's text too wide for it is drawn smaller, down to this size, before it is cut short.
constexpr double SmallestRowPoints = 6.0;

QFont MakeFont(int points, bool bold)
{
    QFont font(FontFace);
    // Where Arial is missing, a sans-serif of the same metrics takes its place, so the table fits.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

int WrappedHeight(const QFont& font, QPaintDevice& device, int width, const QString& text)
{
    return QFontMetrics(font, &device)
        .boundingRect(QRect(0, 0, width, 1 << 24), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        .height();
}

// The height of each line of a laid-out text, rounded up to whole device units.
QVector<int> LineHeights(const QTextLayout& layout)
{
    QVector<int> heights;
    for (int i = 0; i < layout.lineCount(); ++i)
        heights.append(int(std::ceil(layout.lineAt(i).height())));
    return heights;
}
} // namespace

CItemPrintJob::CItemPrintJob(const CVemoAccount& account, const IGroupTree& tree, QWidget* parent)
    : CPrintJob(parent)
    , m_account(account)
    , m_tree(tree)
{
    m_strDocName = DocumentName;
}

bool CItemPrintJob::PreparePrinting(QPrinter& printer)
{
    return RunOptionsDialog() && RunPrinterDialog(printer);
}

bool CItemPrintJob::RunOptionsDialog()
{
    const QString group = m_tree.GetSelectedGroupName(false);
    const quint32 key = m_tree.GetSelectedItemKey();
    CVemoItem item(Qt::Uninitialized);
    const bool itemSelected = key != 0 && m_account.GetItemCopy(group, key, item);
    CPrintOptionsDlg dialog(itemSelected ? item.m_strTitle : QString(), itemSelected, group,
                            Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int scope = dialog.m_nScope < 0 ? CPrintOptionsDlg::All : dialog.m_nScope;
    CollectItems(scope);
    m_strHeader = dialog.m_strHeader.isEmpty() ? DefaultHeader(scope) : dialog.m_strHeader;
    return true;
}

void CItemPrintJob::CollectItems(int scope)
{
    const QString group = m_tree.GetSelectedGroupName(false);
    if (scope == CPrintOptionsDlg::All)
        m_account.CollectItems(0, QString(), m_items);
    else if (scope == CPrintOptionsDlg::CurrentGroup)
        m_account.CollectItems(1, group, m_items);
    else
    {
        CVemoItem item(Qt::Uninitialized);
        if (m_account.GetItemCopy(group, m_tree.GetSelectedItemKey(), item))
            m_items.append(item);
    }
}

QString CItemPrintJob::DefaultHeader(int scope) const
{
    if (scope == CPrintOptionsDlg::All)
        return HeaderPrefix + m_account.GetTitle();
    const QString group = m_tree.GetSelectedGroupName(false);
    if (scope == CPrintOptionsDlg::CurrentGroup)
        return HeaderPrefix + group;
    CVemoItem item(Qt::Uninitialized);
    if (!m_account.GetItemCopy(group, m_tree.GetSelectedItemKey(), item))
        return QString();
    return HeaderPrefix + item.m_strTitle;
}

void CItemPrintJob::MakeFonts(QPrinter& printer)
{
    m_fontHeader = MakeFont(HeaderPoints, false);
    m_fontRow = MakeFont(RowPoints, true);
    m_fontMessage = MakeFont(MessagePoints, false);
    m_nRowHeight = QFontMetrics(m_fontRow, &printer).height() + 4;
}

int CItemPrintJob::BeginPrinting(QPrinter& printer)
{
    MakeFonts(printer);
    const int margin = int(MarginMm * printer.resolution() / MmPerInch);
    m_rectArea = DrawRect().adjusted(margin, margin, -margin, -margin);
    m_columns.clear();
    for (int scaled : ColumnScale)
        m_columns.append(int(qint64(scaled) * m_rectArea.width() / ColumnScale[ColumnCount]));
    LayOutPages(printer);
    return int(m_pages.size());
}

void CItemPrintJob::LayOutMessage(QTextLayout& layout, const CVemoItem& item,
                                  QPaintDevice& device) const
{
    QString text = ToShownLineBreaks(item.m_strMessage);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(text);
    layout.setFont(QFont(m_fontMessage, &device));
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const int width = m_rectArea.right() - (m_rectArea.left() + m_columns[1] + MessageIndent);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid() && !text.isEmpty();
         line = layout.createLine())
    {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

// An item goes whole on the page when it fits, else whole on the next. Only an item longer than
// a page of its own is broken, between lines of its message.
void CItemPrintJob::LayOutPages(QPrinter& printer)
{
    m_pages = {{}};
    const int available = m_rectArea.height() - HeaderHeight(printer) - m_nRowHeight;
    int y = 0;
    for (int i = 0; i < m_items.size(); ++i)
    {
        QTextLayout layout;
        LayOutMessage(layout, m_items[i], printer);
        const QVector<int> lines = LineHeights(layout);
        int messageHeight = 0;
        for (int height : lines)
            messageHeight += height;
        const int need = m_nRowHeight + MessageGap + messageHeight + ItemSpacing - MessageGap;
        if (y > 0 && y + need > available)
        {
            m_pages.append(QVector<CSlice>());
            y = 0;
        }
        CSlice slice{i, 0, 0, true, false};
        int used = m_nRowHeight + MessageGap;
        for (int line = 0; line < lines.size(); ++line)
        {
            if (slice.m_nLineCount > 0 && used + lines[line] > available)
            {
                m_pages.last().append(slice);
                m_pages.append(QVector<CSlice>());
                slice = {i, line, 0, false, false};
                used = 0;
            }
            used += lines[line];
            ++slice.m_nLineCount;
        }
        slice.m_bEndsItem = true;
        m_pages.last().append(slice);
        y = slice.m_nFirstLine == 0 ? y + need : used + ItemSpacing - MessageGap;
    }
}

// Measured with a page number wider than any real one, so a header the number squeezes onto
// more lines on a later page never takes more room than was laid out.
int CItemPrintJob::HeaderHeight(QPaintDevice& device) const
{
    const QString number = PageNumberFormat.arg(WidestPageNumber).arg(WidestPageNumber);
    const int numberWidth = QFontMetrics(m_fontHeader, &device).horizontalAdvance(number);
    return qMax(WrappedHeight(m_fontHeader, device, m_rectArea.width(), number),
                WrappedHeight(m_fontHeader, device, m_rectArea.width() - numberWidth - HeaderGap,
                              m_strHeader));
}

void CItemPrintJob::PrintPage(QPainter& painter, int page)
{
    if (page < 1 || page > m_pages.size())
        return;
    int top = DrawHeader(painter, page);
    top = DrawColumnTitles(painter, top);
    for (const CSlice& slice : m_pages[page - 1])
        top = DrawSlice(painter, slice, top);
}

// The page number at the top right, and the header text to its left, wrapped short of it.
int CItemPrintJob::DrawHeader(QPainter& painter, int page) const
{
    painter.setFont(m_fontHeader);
    painter.setPen(Qt::black);
    const QString number = PageNumberFormat.arg(page).arg(m_pages.size());
    const int flags = Qt::TextWordWrap | Qt::TextExpandTabs;
    const QRect numberRect =
        painter.boundingRect(m_rectArea, flags | Qt::AlignRight | Qt::AlignTop, number);
    painter.drawText(numberRect, flags | Qt::AlignRight, number);
    const QRect headerBox = m_rectArea.adjusted(0, 0, -(numberRect.width() + HeaderGap), 0);
    const QRect headerRect = painter.boundingRect(headerBox, flags | Qt::AlignLeft, m_strHeader);
    painter.drawText(headerRect, flags | Qt::AlignLeft, m_strHeader);
    return m_rectArea.top() +
           qMax(numberRect.height(), m_strHeader.isEmpty() ? 0 : headerRect.height());
}

int CItemPrintJob::DrawColumnTitles(QPainter& painter, int top) const
{
    painter.setFont(m_fontRow);
    for (int column = 0; column < ColumnCount; ++column)
    {
        const QRect cell = CellRect(column, top);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(cell);
        painter.drawText(cell, Qt::AlignCenter, QLatin1String(ColumnTitles[column]));
    }
    return top + m_nRowHeight;
}

QRect CItemPrintJob::CellRect(int column, int top) const
{
    return QRect(QPoint(m_rectArea.left() + m_columns[column], top),
                 QPoint(m_rectArea.left() + m_columns[column + 1], top + m_nRowHeight));
}

int CItemPrintJob::DrawSlice(QPainter& painter, const CSlice& slice, int top) const
{
    const CVemoItem& item = m_items[slice.m_nItem];
    if (slice.m_bWithRow)
    {
        DrawRow(painter, item, top);
        top += m_nRowHeight + MessageGap;
    }
    QTextLayout layout;
    LayOutMessage(layout, item, *painter.device());
    const int left = m_rectArea.left() + m_columns[1] + MessageIndent;
    const qreal firstY =
        slice.m_nLineCount > 0 ? layout.lineAt(slice.m_nFirstLine).position().y() : 0;
    painter.setPen(Qt::black);
    int height = 0;
    for (int i = slice.m_nFirstLine; i < slice.m_nFirstLine + slice.m_nLineCount; ++i)
    {
        const QTextLine line = layout.lineAt(i);
        line.draw(&painter, QPointF(left, top - firstY));
        height += int(std::ceil(line.height()));
    }
    return top + height + (slice.m_bEndsItem ? ItemSpacing - MessageGap : 0);
}

void CItemPrintJob::DrawRow(QPainter& painter, const CVemoItem& item, int top) const
{
    const QRect status = CellRect(0, top);
    const int side = int(StatusBoxShare * status.height());
    QRect box(0, 0, side, side);
    box.moveCenter(status.center());
    painter.setPen(QPen(Qt::black, StatusPenWidth));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    if (item.m_bCompleted)
    {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    }
    painter.setFont(m_fontRow);
    painter.setPen(Qt::black);
    const QString texts[] = {item.m_strTitle,
                             FormatLocalTime(item.m_reminder.m_timeDoBy, ReminderTimeFormat),
                             item.GetPriorityText()};
    for (int column = 1; column < ColumnCount; ++column)
        DrawCellText(painter, CellRect(column, top).adjusted(CellPadding, 0, -CellPadding, 0),
                     ColumnAlignment[column], texts[column - 1]);
}

// A long date keeps its year: the text shrinks a little to fit before anything is cut.
void CItemPrintJob::DrawCellText(QPainter& painter, const QRect& cell, Qt::Alignment alignment,
                                 const QString& text) const
{
    QFont font(m_fontRow, painter.device());
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > cell.width())
        font.setPointSizeF(qMax(SmallestRowPoints, font.pointSizeF() * cell.width() / width));
    painter.setFont(font);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, cell.width());
    painter.drawText(cell, alignment | Qt::AlignVCenter | Qt::TextExpandTabs, shown);
}
