#pragma once
// The frequency figure of the profile on show, in words for the figure panel
// and the report, from its rows, the shaft details its note gives and the
// shop's meter.

#include "analysis/Frequency.h"
#include "platform/Result.h"

#include <QLocale>
#include <QStringList>
#include <optional>

class QSettings;

namespace tarvex {

struct GeometrySettings;

// The shop's frequency meter, kept in inches and grams whatever the bench's
// length unit, so switching the unit does not move the clamp.
struct MeterSettings {
    double clampInches = 5.0;
    double tipGrams = 255.0;
    double tipOffsetInches = 0.0;
    // What calibration against the shop's meter found, and on what.
    std::optional<double> clampOffsetInches;
    QString calibratedOn;        // "312 cpm measured on ..." for the settings to show

    static MeterSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const MeterSettings&, const MeterSettings&) = default;
};

// The meter set-up in the bench's length unit, its calibration included.
MeterSetup MeterSetupOf(const MeterSettings& meter, LengthUnit unit);

// "Length: 41 in", "Weight: 120 g", "Balance: 22 in" lines of a note, read as
// the library's import reads them; in the bench's length unit. A failure
// says what the note does not give.
Result<ShaftDetails> ShaftDetailsOf(const QString& note, LengthUnit unit);

struct FrequencyFigure {
    QStringList lines;           // the figure in words, or why there is none
    FrequencyPrediction prediction;
    bool ok() const { return prediction.ok() && prediction.cpm > 0; }
};

// `loads`: the profile's rows (position, load in `loadUnit`), as the table
// holds them.
FrequencyFigure FrequencyFigureOf(const std::vector<RowPoint>& loads, const QString& note, const GeometrySettings& geometry,
                                  const QString& loadUnit, const MeterSettings& meter, const Trims& trims = {},
                                  const QLocale& locale = QLocale::system());

// The input the figure is worked out from, for calibration; a failure says
// what the profile, note or bench lack.
Result<FrequencyInput> FrequencyInputOf(const std::vector<RowPoint>& loads, const QString& note, const GeometrySettings& geometry,
                                        const QString& loadUnit, const MeterSettings& meter);

} // namespace tarvex
