#pragma once

#include "views/BrowseSql.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QSize>
#include <QVariantMap>
#include <QVector>

#include <map>
#include <memory>

class FbConnection;
class FbQuery;

// A browse query of the data module and the read-only model the grids show: the records of one
// kind with the fields of that kind (ViewFieldNames), stored columns and calculated fields alike.
//
// The SQL is kept as lines (SQL) that searches, filters and sorting edit; Open runs it. In the
// normal data mode every record is read when the query opens. In the on-demand mode (large or
// remote collections) records come in pages as the grid asks for them (canFetchMore/fetchMore).
//
// A select of all columns of the kind's table names the columns it reads instead, leaving out
// pictures and long texts, which are read by key for the records on screen. In the on-demand mode
// it also runs in two steps: the keys in the query's order first (the engine then sorts small
// records), then the rows of a block of keys when a grid needs them. Any other statement runs as
// it stands.
class BrowseQuery : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        FieldNameRole = Qt::UserRole + 1, // the field of a column (data and header)
        RawValueRole,                     // the value as stored, for sorting and grouping
        ImageRole,                        // the picture of an image field, fitted to setImageSize
    };

    BrowseQuery(FbConnection &connection, int viewTable, QObject *parent = nullptr);
    ~BrowseQuery() override;

    int viewTable() const { return m_viewTable; }

    // The SQL lines; they outlive the view manager.
    BrowseSqlLines SQL;
    // Named parameters of the SQL, given to the count as well.
    QVariantMap Params;

    // Takes effect when the query opens next.
    void setOnDemand(bool on) { m_onDemand = on; }
    bool onDemand() const { return m_onDemand; }

    // Runs the SQL lines. Throws FbError when the engine rejects them; the query is then closed.
    void Open();
    // Runs the SQL again as it stands (after a change to the database). Throws FbError.
    void Refresh();
    void Close();
    bool Active() const { return m_active; }

    // The number of records: the count of the SQL in the on-demand mode (as the status bar shows
    // it), otherwise the records read.
    int RecordCount();

    QStringList fieldNames() const { return m_fields; }
    int fieldColumn(const QString &field) const { return m_fieldColumn.value(field, -1); }

    // A field of a record: stored columns as read (pictures as bytes), calculated fields as text.
    // Any column of the statement can be asked for, not only the offered fields.
    QVariant fieldValue(int row, const QString &field);
    QString displayText(int row, const QString &field);
    // The key of a record (MOVIE_ID, MEDIA_ID, PERSON_ID); NaN when the statement has none.
    double keyValue(int row) const;
    // The row of a key; in the on-demand mode pages are read until it is found. -1 when absent.
    int locate(double key);

    // Which of DIRECTOR, PRODUCER, WRITER and GENRES a grid shows: the others stay empty.
    void setListFieldsShown(const QSet<QString> &fields);
    QSet<QString> listFieldsShown() const { return m_listShown; }
    // The size pictures of a field are fitted into for ImageRole.
    void setImageSize(const QString &field, const QSize &size);
    QImage image(int row, const QString &field);

    // True when a read failed (a lost connection): no more reads until the query opens again.
    bool failed() const { return m_failed; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // Rows read per page in the on-demand mode and rows read per block by key.
    static constexpr int PageSize = 100;
    static constexpr int OnDemandBlockSize = 50;
    static constexpr int NormalBlockSize = 500;

signals:
    // A read failed after the query opened; sent once per opening with the engine's message.
    void fetchFailed(const QString &message);

private:
    struct Row
    {
        double key1 = 0;          // MEDIA_ID (movies, media) or PERSON_ID
        double key2 = 0;          // MOVIE_ID (movies)
        QVector<QVariant> values; // empty until the row's block is read
    };
    struct ListValues
    {
        QString text[4];
        quint8 done = 0;
    };

    void resetState();
    void openStatements();
    void discoverColumns();
    // Reads up to count rows from the cursor; false at its end.
    void readRows(int count);
    void ensureLoaded(int row);
    void loadBlock(int first, int last);
    void loadAllBlocks();
    void fail(const QString &message);
    bool isCalculated(const QString &field) const;
    QVariant calculated(int row, const QString &field);
    QVariant storedValue(int row, const QString &column);
    QVariant lazyValue(int row, const QString &column);
    QString listField(int row, const QString &field);
    QString lendPartner(int lendId);
    QString mediaTypeName(const QVariant &mediaTypeId);
    FbQuery &preparedQuery(const QString &sql);
    QString keyList(int first, int last, bool movieKey) const;

    FbConnection &m_connection;
    const int m_viewTable;
    bool m_onDemand = false;
    bool m_active = false;
    bool m_failed = false;
    bool m_keyed = false;
    bool m_atEnd = true;
    int m_count = -1; // the on-demand count, read once per opening
    BrowseStatements m_plan;

    QStringList m_fields;
    QHash<QString, int> m_fieldColumn;
    QStringList m_dataColumns; // columns held in Row::values
    QHash<QString, int> m_dataIndex;
    QSet<QString> m_lazyColumns; // blob columns read by key when asked for
    QStringList m_tableColumns;  // the table's columns other than blobs, and its blobs,
    QSet<QString> m_tableBlobs;  // as read from m_columnsOfDatabase
    QString m_columnsOfDatabase;
    int m_key1Column = -1;
    int m_key2Column = -1;

    std::unique_ptr<FbQuery> m_cursor;
    std::map<QString, std::unique_ptr<FbQuery>> m_prepared;
    QVector<Row> m_rows;

    QSet<QString> m_listShown;
    QHash<int, ListValues> m_lists;
    QHash<int, QString> m_partners;
    QHash<int, QString> m_mediaTypes;
    QHash<QPair<int, QString>, QVariant> m_lazyText;
    QHash<QString, QSize> m_imageSizes;
    QCache<QString, QImage> m_images;
};
