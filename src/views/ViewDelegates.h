#pragma once

#include <QHeaderView>
#include <QStringList>
#include <QStyledItemDelegate>

class QItemSelectionModel;
class QListView;
class QTableView;

// Draws the cells of the list layouts: pictures, alert marks, rating stars, text, vertical column
// lines, and group header rows across the row.
class TListCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TListCellDelegate(QTableView *view);

    void setColumnLines(bool on) { m_columnLines = on; }
    bool columnLines() const { return m_columnLines; }

    // The first column the header shows; its cells draw group headers across the row.
    bool isFirstShownColumn(int logicalColumn) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    QTableView *m_view;
    bool m_columnLines = false;
};

// The selection check boxes of a list layout, in a narrow column of their own at the left of the
// rows (the list's row header), so that they never cover a field. A group header row's box shows
// whether every record of the group is selected.
class TCheckBoxHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit TCheckBoxHeader(QTableView *view);

    // The check box of a row in this header's viewport coordinates.
    QRect checkBoxRect(int row) const;
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QTableView *m_view;
};

// True when the row is a group header row whose records are all selected.
bool GroupFullySelected(const QAbstractItemModel *model, int row, const QItemSelectionModel *selection);

// Draws the records of the thumbnail and card layouts: the cover (or person picture) and the shown
// fields one per line. Thumbnails are small cards led by the cover; cards are wide, with the
// cover on the left and the fields as "caption: value" rows, and stretch to the view's width.
class TCardDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum class Mode { Thumbnail, Card };

    TCardDelegate(QListView *view, int viewTable, Mode mode);

    // The fields the cards show, in order; the first picture field among them is the cover.
    void setFields(const QStringList &fields);
    QStringList fields() const { return m_fields; }
    // The height of the cover in lines (the thumbnail size; cards use their own).
    void setCoverLines(int lines);
    int coverLines() const { return m_coverLines; }
    QSize coverSize() const;
    int lineHeight() const;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int linesOf(const QString &field) const;
    QString coverField() const;

    QListView *m_view;
    int m_viewTable;
    Mode m_mode;
    QStringList m_fields;
    QStringList m_allFields;
    int m_coverLines = 12;
};
