#include "LibrarySession.h"

#include "charts/xy/ProfileCurveStore.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "library/StoreLibraryDialog.h"
#include "tables/DataTable.h"

#include <QCoreApplication>

namespace tarvex {

// A profile of fewer rows says nothing of the shaft's bend line that a
// chart of curves could compare.
constexpr std::size_t kFewestOverlayReadings = 3;

LibrarySession::LibrarySession(QString address) : address_(std::move(address)) {}

LibrarySession::~LibrarySession() = default;

ShaftLibrary* LibrarySession::library(const MessageSink& tell)
{
    if (!library_ || !library_->available()) {
        library_ = std::make_unique<ShaftLibrary>(LibraryLocation(address_));
        if (!library_->migrationNotes().isEmpty())
            tell(QCoreApplication::translate("tarvex::frmMain", "The library was brought up to date. ") + library_->migrationNotes().join(QLatin1Char('\n')));
    }
    if (!library_->available()) {
        tell(library_->openMessage());
        return nullptr;
    }
    return library_.get();
}

bool LibrarySession::setAddress(const QString& address)
{
    if (address == address_)
        return false;
    address_ = address;
    library_.reset();
    return true;
}

LibrarySession::Overlays LibrarySession::overlays(ShaftLibrary& library, const QList<qint64>& measurementIds) const
{
    Overlays out;
    for (const qint64 id : measurementIds) {
        const auto loaded = library.loadMeasurement(id);
        if (!loaded) {
            out.skipped << loaded.message();
            continue;
        }
        const Measurement& m = *loaded;
        // The shaft only names the curve; without it the curve is still drawn.
        const auto found = library.loadShaft(m.shaftId);
        const bool known = found.ok();
        const Shaft shaft = found.value_or(Shaft{});
        const QString name = known ? ShaftTitle(shaft) : QCoreApplication::translate("tarvex::frmMain", "measurement %1").arg(id);
        DataTable table;
        MeasurementIntoTable(m, table);
        XYChartState one;
        QString why;
        if (m.rows.size() < kFewestOverlayReadings)
            why = QCoreApplication::translate("tarvex::LibrarySession", "fewer than %1 readings").arg(kFewestOverlayReadings);
        else if (!StoreProfileCurve(table, one))
            why = QCoreApplication::translate("tarvex::frmMain", "a cell that is not a number");
        if (why.isEmpty()) {
            out.curves.push_back(one.curves.front());
            // The legend names an overlay by the shaft's label.
            out.curves.back().name = known ? ShaftCurveName(shaft) : name;
        } else
            out.skipped << QCoreApplication::translate("tarvex::frmMain", "%1, taken %2: %3").arg(name, m.takenAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), why);
    }
    return out;
}

} // namespace tarvex
