#include "document/MeasurementDocument.h"

#include "analysis/SpineAnalysis.h"
#include "analysis/TableReadings.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/TextExport.h"
#include "library/LibraryTables.h"
#include "tables/DataTable.h"
#include "tables/TableHistory.h"

#include <QBuffer>
#include <QSysInfo>

namespace tarvex {

MeasurementDocument::MeasurementDocument(Workspace kind, QObject* parent)
    : QObject(parent), kind_(kind), table_(new DataTable(2, this)), history_(new TableHistory(*table_, this))
{
}

MeasurementDocument::~MeasurementDocument() = default;

QString MeasurementDocument::plainNote() const
{
    QString text = note_;
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text;
}

bool MeasurementDocument::isModified() const
{
    return history_->isModified();
}

const XYCurveList& MeasurementDocument::shownCurves() const
{
    static const XYCurveList none;
    return chart_.curvesStored ? chart_.curves : none;
}

Result<void, ReadStatus> MeasurementDocument::read(QIODevice& device)
{
    // The record is read and checked whole before the table is touched.
    if (kind_ == Workspace::Polar) {
        const auto record = ReadPolarRecord(device);
        if (!record)
            return record.error();
        note_ = ApplyPolarRecord(*record, *table_, note_);
        interval_ = PolarIntervalForCount(record->angleCount);
    } else {
        const auto record = ReadProfileRecord(device);
        if (!record)
            return record.error();
        note_ = ApplyProfileRecord(*record, *table_, note_);
        chart_.plotted = false;
    }
    // What was there before was the caller's to offer for saving; it is not
    // undone to.
    history_->forget();
    return {};
}

Result<void, ReadStatus> MeasurementDocument::read(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

Result<QByteArray, ReadStatus> MeasurementDataFile(const Measurement& m)
{
    if (!m.damaged.isEmpty())
        return Failure(ReadStatus::Failed, m.damaged);
    if (!m.dataFile.isEmpty())
        return m.dataFile;
    auto bytes = MeasurementAsDataFile(m);
    if (!bytes)
        return Failure(ReadStatus::Failed, bytes.message());
    return std::move(*bytes);
}

Result<void, ReadStatus> MeasurementDocument::read(const Measurement& m)
{
    const auto bytes = MeasurementDataFile(m);
    if (!bytes)
        return bytes.error();
    if (auto r = read(*bytes); !r)
        return r;
    // The library's own fields stand over what the bytes carry: a note
    // edited in the library is the one the user expects to see.
    note_ = m.note;
    if (!m.loadUnit.isEmpty())
        loadUnit_ = m.loadUnit;
    fileName_.clear();
    return {};
}

Result<QByteArray, SaveStatus> MeasurementDocument::dataFileBytes() const
{
    return kind_ == Workspace::Polar ? PolarFileBytes(*table_, note_) : ProfileFileBytes(*table_, note_);
}

Result<QByteArray, SaveStatus> MeasurementDocument::textExportBytes(const QLocale& locale) const
{
    return TextExportBytes(*table_, note_, kind_ == Workspace::Polar, locale);
}

Measurement MeasurementDocument::measurement() const
{
    Measurement m;
    m.kind = kind_ == Workspace::Polar ? MeasurementKind::Polar : MeasurementKind::Profile;
    TableIntoMeasurement(*table_, m);
    m.note = note_;
    m.loadUnit = loadUnit_;
    m.takenAt = QDateTime::currentDateTimeUtc();
    m.bench = QSysInfo::machineHostName();
    if (kind_ == Workspace::Polar) {
        const SpineAnalysis a = AnalyzeSpine(NumberRowsOf(*table_).points);
        if (a.ok())
            m.spine = StoredSpine{a.spinePercent, a.spineAngle, a.nbpAngle, a.bendPercent, a.bendAngle, GradeName(a.grade)};
    }
    return m;
}

RecoveredTable MeasurementDocument::recoveryCopy() const
{
    RecoveredTable copy;
    copy.rows = table_->Rows();
    copy.cols = table_->Cols();
    for (int r = 0; r < copy.rows; ++r)
        for (int c = 0; c < copy.cols; ++c)
            copy.cells << table_->TextMatrix(r, c);
    copy.note = note_;
    copy.row = table_->Row();
    copy.col = table_->Col();
    return copy;
}

void MeasurementDocument::restore(const RecoveredTable& copy)
{
    table_->setRows(copy.rows);
    const int cols = std::min(copy.cols, table_->Cols());
    for (int r = 0; r < copy.rows; ++r)
        for (int c = 0; c < cols; ++c)
            table_->setTextMatrix(r, c, copy.cells[r * copy.cols + c]);
    if (copy.row >= 0 && copy.row < table_->Rows() && copy.col >= 0 && copy.col < table_->Cols())
        table_->setCurrent(copy.row, copy.col);
    note_ = copy.note;
    fileName_.clear();
    history_->forget();
    history_->markModified();
}

} // namespace tarvex
