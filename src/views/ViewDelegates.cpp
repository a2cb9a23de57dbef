#include "views/ViewDelegates.h"

#include "core/GlobalFunctions.h"
#include "views/BrowseQuery.h"
#include "views/ViewFields.h"
#include "views/ViewIcons.h"
#include "views/ViewProxyModels.h"

#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QTableView>

namespace {

QColor gridLineColor(const QWidget *widget)
{
    const int rgb = widget->style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, widget);
    return rgb != -1 ? QColor(QRgb(unsigned(rgb))) : widget->palette().color(QPalette::Mid);
}

void drawFittedImage(QPainter *painter, const QRect &rect, const QImage &image)
{
    if (image.isNull() || rect.isEmpty())
        return;
    const QSize size = image.size().scaled(rect.size(), Qt::KeepAspectRatio);
    const QRect target(rect.left() + (rect.width() - size.width()) / 2,
                       rect.top() + (rect.height() - size.height()) / 2, size.width(), size.height());
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, size != image.size());
    painter->drawImage(target, image);
    painter->restore();
}

// The rating of a cell, or -1 when the cell holds the rating caption (a group or summary text),
// which is drawn as text.
int ratingOf(const QString &text)
{
    if (text == GetText(186) + QLatin1Char(':'))
        return -1;
    bool ok = false;
    const int rating = text.trimmed().toInt(&ok);
    return ok ? rating : 0;
}

} // namespace

TListCellDelegate::TListCellDelegate(QTableView *view)
    : QStyledItemDelegate(view)
    , m_view(view)
{}

bool TListCellDelegate::isFirstShownColumn(int logicalColumn) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            return logical == logicalColumn;
    }
    return false;
}

void TListCellDelegate::paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (!isFirstShownColumn(index.column()))
        return; // the first cell draws across the row
    const QRect row(option.rect.left(), option.rect.top(), m_view->viewport()->width() - option.rect.left(),
                    option.rect.height());
    painter->save();
    painter->fillRect(row, option.palette.color(QPalette::Button));
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(row.bottomLeft(), row.bottomRight());
    const int left = row.left() + 4;
    const bool collapsed = index.data(GroupProxyModel::GroupCollapsedRole).toBool();
    painter->setPen(option.palette.color(QPalette::ButtonText));
    painter->drawText(QRect(left, row.top(), 12, row.height()), Qt::AlignCenter,
                      collapsed ? QStringLiteral("\u25B8") : QStringLiteral("\u25BE"));
    QFont font = option.font;
    font.setBold(true);
    painter->setFont(font);
    painter->drawText(row.adjusted(left + 16 - row.left(), 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void TListCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(GroupProxyModel::GroupHeaderRole).toBool()) {
        paintGroupHeader(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget *widget = option.widget ? option.widget : m_view;
    QStyle *style = widget->style();
    // The background (selection, alternate rows) without the item's own text.
    opt.text.clear();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const QRect cell = option.rect;
    const bool selected = option.state & QStyle::State_Selected;

    const QString field = index.data(BrowseQuery::FieldNameRole).toString();
    const QString text = index.data(Qt::DisplayRole).toString();
    switch (FieldDrawingOf(field)) {
    case FieldDrawing::Image:
        drawFittedImage(painter, cell.adjusted(2, 1, -2, -1), index.data(BrowseQuery::ImageRole).value<QImage>());
        break;
    case FieldDrawing::Alert:
        if (!text.isEmpty())
            ViewIcons::drawAlert(painter, cell, field);
        break;
    case FieldDrawing::Rating: {
        const int rating = ratingOf(text);
        if (rating >= 0) {
            ViewIcons::drawStars(painter, cell, rating);
            break;
        }
        [[fallthrough]];
    }
    case FieldDrawing::Text: {
        painter->save();
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect = cell.adjusted(4, 0, -4, 0);
        const QString shown = option.fontMetrics.elidedText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                                            Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, shown);
        painter->restore();
        break;
    }
    }

    if (m_columnLines) {
        painter->save();
        painter->setPen(gridLineColor(widget));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
}

bool GroupFullySelected(const QAbstractItemModel *model, int row, const QItemSelectionModel *selection)
{
    const auto *groups = qobject_cast<const GroupProxyModel *>(model);
    if (!groups || !selection || !groups->isGroupHeader(row))
        return false;
    const QList<int> rows = groups->sourceRowsOfGroup(row);
    for (const int sourceRow : rows) {
        const QModelIndex member = groups->mapFromSource(groups->sourceModel()->index(sourceRow, 0));
        // A collapsed group's records are not in the grid: they count by their source selection.
        if (!member.isValid() || !selection->isRowSelected(member.row(), QModelIndex()))
            return false;
    }
    return !rows.isEmpty();
}

TCheckBoxHeader::TCheckBoxHeader(QTableView *view)
    : QHeaderView(Qt::Vertical, view)
    , m_view(view)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize TCheckBoxHeader::sizeHint() const
{
    return QSize(20, QHeaderView::sizeHint().height());
}

QRect TCheckBoxHeader::checkBoxRect(int row) const
{
    const int top = sectionViewportPosition(row);
    if (top < -sectionSize(row) || row < 0 || row >= count())
        return QRect();
    return ViewIcons::checkBoxRect(QRect(1, top, width() - 2, sectionSize(row)));
}

void TCheckBoxHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QAbstractItemModel *model = m_view->model();
    const QItemSelectionModel *selection = m_view->selectionModel();
    if (!model || !selection)
        return;
    const QPalette &palette = m_view->palette();
    const bool group = model->index(logicalIndex, 0).data(GroupProxyModel::GroupHeaderRole).toBool();
    const bool checked = group ? GroupFullySelected(model, logicalIndex, selection)
                               : selection->isRowSelected(logicalIndex, QModelIndex());
    QColor background = palette.color(QPalette::Base);
    if (group)
        background = palette.color(QPalette::Button);
    else if (m_view->alternatingRowColors() && logicalIndex % 2 == 1)
        background = palette.color(QPalette::AlternateBase);
    painter->fillRect(rect, background);
    ViewIcons::drawCheckBox(painter, ViewIcons::checkBoxRect(rect.adjusted(0, 0, -2, 0)), checked, palette);
}

TCardDelegate::TCardDelegate(QListView *view, int viewTable, Mode mode)
    : QStyledItemDelegate(view)
    , m_view(view)
    , m_viewTable(viewTable)
    , m_mode(mode)
    , m_allFields(ViewFieldNames(viewTable))
{
    if (mode == Mode::Card)
        m_coverLines = 6;
}

void TCardDelegate::setFields(const QStringList &fields)
{
    m_fields = fields;
}

void TCardDelegate::setCoverLines(int lines)
{
    m_coverLines = std::max(1, lines);
}

int TCardDelegate::lineHeight() const
{
    return m_view->fontMetrics().height() + 2;
}

QSize TCardDelegate::coverSize() const
{
    if (coverField().isEmpty())
        return QSize(0, 0);
    const int height = m_coverLines * lineHeight();
    return QSize(std::max(1, height * 200 / 287), height);
}

QString TCardDelegate::coverField() const
{
    for (const QString &field : m_fields) {
        if (FieldDrawingOf(field) == FieldDrawing::Image)
            return field;
    }
    return QString();
}

int TCardDelegate::linesOf(const QString &field) const
{
    if (m_mode == Mode::Card && (field == QLatin1String("BIO") || field == QLatin1String("PLOT")))
        return 4;
    return 1;
}

QSize TCardDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    const QString cover = coverField();
    const QSize coverArea = coverSize();
    int rows = 0;
    for (const QString &field : m_fields) {
        if (field != cover)
            rows += linesOf(field);
    }
    const int textHeight = rows * lineHeight();
    if (m_mode == Mode::Thumbnail) {
        const int width = std::max(coverArea.width(), 90) + 12;
        return QSize(width, 6 + coverArea.height() + (coverArea.height() > 0 ? 4 : 0) + textHeight + 6);
    }
    // The width the view has with its vertical scroll bar shown, so the cards never need a
    // horizontal one.
    const int scrollBar = m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    const int width = std::max(240, m_view->width() - 2 * m_view->frameWidth() - scrollBar - 2 * m_view->spacing() - 2);
    return QSize(width, std::max(coverArea.height(), textHeight) + 12);
}

void TCardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect card = option.rect.adjusted(1, 1, -1, -1);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QColor background = palette.color(QPalette::Base);
    if (selected) {
        background = palette.color(QPalette::Highlight);
        background.setAlpha(70);
    }
    painter->setPen(QPen(selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Mid), 1));
    painter->setBrush(background);
    painter->drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter->setRenderHint(QPainter::Antialiasing, false);

    const QString cover = coverField();
    const QSize coverArea = coverSize();
    QRect coverRect;
    QRect textArea;
    if (m_mode == Mode::Thumbnail) {
        coverRect = QRect(card.left() + (card.width() - coverArea.width()) / 2, card.top() + 5, coverArea.width(),
                          coverArea.height());
        textArea = QRect(card.left() + 4, coverRect.bottom() + (coverArea.height() > 0 ? 5 : 0), card.width() - 8,
                         card.bottom() - coverRect.bottom());
    } else {
        coverRect = QRect(card.left() + 5, card.top() + 5, coverArea.width(), coverArea.height());
        textArea =
            QRect(coverRect.right() + 10, card.top() + 5, card.right() - coverRect.right() - 14, card.height() - 10);
    }
    if (!cover.isEmpty()) {
        const int column = int(m_allFields.indexOf(cover));
        const QImage image = index.sibling(index.row(), column).data(BrowseQuery::ImageRole).value<QImage>();
        if (image.isNull())
            ViewIcons::drawEmptyCover(painter, coverRect, palette);
        else
            drawFittedImage(painter, coverRect, image);
    }

    const int line = lineHeight();
    int y = textArea.top();
    bool first = true;
    QFont bold = option.font;
    bold.setBold(true);
    for (const QString &field : m_fields) {
        if (field == cover)
            continue;
        const int lines = linesOf(field);
        const QRect row(textArea.left(), y, textArea.width(), lines * line);
        y += lines * line;
        if (row.top() > card.bottom())
            break;
        const int column = int(m_allFields.indexOf(field));
        const QString text =
            column >= 0 ? index.sibling(index.row(), column).data(Qt::DisplayRole).toString() : QString();
        QRect valueRect = row;
        painter->setPen(palette.color(QPalette::Text));
        if (m_mode == Mode::Card) {
            painter->setFont(bold);
            const QString caption = FieldCaption(field) + QLatin1Char(':');
            const int captionWidth = std::min(row.width() / 3, 130);
            painter->drawText(QRect(row.left(), row.top(), captionWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                              QFontMetrics(bold).elidedText(caption, Qt::ElideRight, captionWidth));
            valueRect.setLeft(row.left() + captionWidth + 6);
        }
        painter->setFont(m_mode == Mode::Thumbnail && first ? bold : option.font);
        first = false;
        switch (FieldDrawingOf(field)) {
        case FieldDrawing::Alert:
            if (!text.isEmpty())
                ViewIcons::drawAlert(painter, QRect(valueRect.left() - 4, valueRect.top(), 24, line), field);
            break;
        case FieldDrawing::Rating: {
            bool ok = false;
            ViewIcons::drawStars(painter, QRect(valueRect.left() - 2, valueRect.top(), 90, line),
                                 text.toInt(&ok) * int(ok));
            break;
        }
        case FieldDrawing::Image:
            break;
        case FieldDrawing::Text: {
            const QFontMetrics metrics(painter->font());
            const Qt::Alignment align = m_mode == Mode::Thumbnail ? Qt::AlignHCenter : Qt::AlignLeft;
            if (lines == 1) {
                painter->drawText(valueRect, align | Qt::AlignVCenter | Qt::TextSingleLine,
                                  metrics.elidedText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                                     Qt::ElideRight, valueRect.width()));
            } else {
                // Several lines: wrapped, the last one cut with an ellipsis.
                QString rest = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
                QStringList shown;
                for (int i = 0; i < lines && !rest.isEmpty(); ++i) {
                    if (i == lines - 1) {
                        shown << metrics.elidedText(rest, Qt::ElideRight, valueRect.width());
                        break;
                    }
                    int cut = int(rest.size());
                    while (cut > 0 && metrics.horizontalAdvance(rest.left(cut)) > valueRect.width()) {
                        const qsizetype space = rest.lastIndexOf(QLatin1Char(' '), cut - 1);
                        cut = space > 0 ? int(space) : cut - 1;
                    }
                    cut = std::max(cut, 1);
                    shown << rest.left(cut);
                    rest = rest.mid(cut).trimmed();
                }
                painter->drawText(valueRect, align | Qt::AlignTop, shown.join(QLatin1Char('\n')));
            }
            break;
        }
        }
    }
    painter->restore();
}
