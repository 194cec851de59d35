#include "library/LibraryListModel.h"

#include "library/LibraryTables.h"
#include "library/StoreLibraryDialog.h"

#include <QCoreApplication>
#include <QLocale>

namespace tarvex {

QString KindText(MeasurementKind kind)
{
    return kind == MeasurementKind::Polar ? QCoreApplication::translate("Library", "polar") : QCoreApplication::translate("Library", "profile");
}

QString GradeText(const QString& storedGrade)
{
    static const char* const kGrades[] = {QT_TRANSLATE_NOOP("SpineGrade", "tour"), QT_TRANSLATE_NOOP("SpineGrade", "consumer"),
                                          QT_TRANSLATE_NOOP("SpineGrade", "reject")};
    for (const char* grade : kGrades)
        if (storedGrade == QLatin1String(grade))
            return QCoreApplication::translate("SpineGrade", grade);
    return storedGrade;
}

LibraryListModel::LibraryListModel(const QString& location, QObject* parent) : QAbstractTableModel(parent), search_(location, this) {}

void LibraryListModel::search(const LibraryQuery& query, std::function<void(const Result<qint64>&)> said)
{
    wanted_ = query;
    said_ = std::move(said);
    searchAgain();
}

void LibraryListModel::searchAgain()
{
    search_.start(wanted_, {order_.order, order_.descending, 0, kPage}, geometry_, [this](SearchAnswer& answer) {
        beginResetModel();
        entries_ = answer ? std::move(answer->lines) : std::vector<LibraryEntry>();
        more_ = int(entries_.size()) == kPage;
        fetching_ = false;
        endResetModel();
        if (said_)
            said_(answer.ok() ? Result<qint64>(answer->count) : Result<qint64>(answer.error()));
    });
}

int LibraryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int LibraryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant LibraryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(entries_.size()))
        return {};
    const LibraryEntry& e = entries_[std::size_t(index.row())];
    if (role == Qt::UserRole)
        return e.measurementId;
    if (role == Qt::TextAlignmentRole && (index.column() == Weight || index.column() == Length || index.column() == Rows || index.column() == Spine || index.column() == Index))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto figure = [](const std::optional<double>& v) { return v ? QLocale::system().toString(*v, 'g', 6) : QString(); };
    switch (index.column()) {
    case Taken: return e.takenAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Kind: return KindText(e.kind);
    case Shaft: return ShaftTitle(tarvex::Shaft{e.shaft.id, e.shaft.maker, e.shaft.model, {}, {}, {}, e.shaft.label, {}, {}});
    case Flex: return e.shaft.flex;
    case Weight: return figure(e.shaft.weightGrams);
    case Length: return figure(e.shaft.lengthInches);
    case Customer: return e.shaft.customer;
    case Rows: return QString::number(e.rowCount);
    case Spine: return e.spinePercent ? QLocale::system().toString(*e.spinePercent, 'f', 2) : QString();
    case Grade: return GradeText(e.spineGrade);
    case Index:
        return e.stiffnessIndex ? QLocale::system().toString(*e.stiffnessIndex * (lbfIn2_ ? kLbfIn2PerNm2 : 1.0), 'f', 2) : QString();
    case Note: return e.note.section(QLatin1Char('\n'), 0, 0);
    default: return {};
    }
}

QVariant LibraryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kTitles[] = {QT_TRANSLATE_NOOP("Library", "Taken"),     QT_TRANSLATE_NOOP("Library", "Kind"),
                                          QT_TRANSLATE_NOOP("Library", "Shaft"),     QT_TRANSLATE_NOOP("Library", "Flex"),
                                          QT_TRANSLATE_NOOP("Library", "Weight (g)"), QT_TRANSLATE_NOOP("Library", "Length (in)"),
                                          QT_TRANSLATE_NOOP("Library", "Customer"),  QT_TRANSLATE_NOOP("Library", "Rows"),
                                          QT_TRANSLATE_NOOP("Library", "Spine (%)"), QT_TRANSLATE_NOOP("Library", "Grade"),
                                          QT_TRANSLATE_NOOP("Library", "Note"),      QT_TRANSLATE_NOOP("Library", "Index")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns)
        return {};
    if (section == Index)   // the stiffness index, a mean EI
        return QCoreApplication::translate("Library", "Index (%1)").arg(lbfIn2_ ? QStringLiteral("lbf·in²") : QStringLiteral("N·m²"));
    return QCoreApplication::translate("Library", kTitles[section]);
}

bool LibraryListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && more_ && !fetching_;
}

// A newer search supersedes the page: its answer starts the list afresh.
void LibraryListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !more_ || fetching_ || search_.pending())
        return;
    fetching_ = true;
    search_.start(wanted_, {order_.order, order_.descending, qint64(entries_.size()), kPage}, geometry_, [this](SearchAnswer& answer) {
        fetching_ = false;
        // A library that stopped answering ends the list where it is; the
        // next search says why.
        if (!answer) {
            more_ = false;
            return;
        }
        std::vector<LibraryEntry>& lines = answer->lines;
        more_ = int(lines.size()) == kPage;
        if (lines.empty())
            return;
        beginInsertRows({}, int(entries_.size()), int(entries_.size() + lines.size()) - 1);
        std::move(lines.begin(), lines.end(), std::back_inserter(entries_));
        endInsertRows();
    });
}

void LibraryListModel::setBench(const std::optional<BenchGeometry>& geometry, bool lbfIn2)
{
    geometry_ = geometry;
    lbfIn2_ = lbfIn2;
    emit headerDataChanged(Qt::Horizontal, Index, Index);
    searchAgain();
}

void LibraryListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= Index)
        return;
    const LibraryPage wanted{LibraryOrder(column), order == Qt::DescendingOrder, 0, -1};
    if (wanted.order == order_.order && wanted.descending == order_.descending)
        return;
    order_ = wanted;
    searchAgain();
}

} // namespace tarvex
