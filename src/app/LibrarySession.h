#pragma once
// The window's one connection to the shaft library: opened on first use at
// the address the settings name, opened again when a use finds it gone or
// the address changes, and the profiles the Library window picks turned into
// curves for the profile tab. The shell only wires it to the menus and the
// Library window.

#include "charts/xy/XYCurve.h"
#include "platform/MessageSink.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace tarvex {

class ShaftLibrary;

class LibrarySession {
public:
    explicit LibrarySession(QString address);
    ~LibrarySession();

    // The library, or null after telling `tell` why it could not be opened;
    // what bringing it up to date changed is told once, on that opening.
    ShaftLibrary* library(const MessageSink& tell);
    // Another address: the connection is dropped (true) and the next use
    // opens the new one. Whatever holds the old library must let go first.
    bool setAddress(const QString& address);

    struct Overlays {
        XYCurveList curves;
        QStringList skipped;   // each profile left out, named, with the reason
    };
    // Each profile as Plot would make it from its table; one that cannot be
    // charted is named and left out, so the others still show.
    Overlays overlays(ShaftLibrary& library, const QList<qint64>& measurementIds) const;

private:
    QString address_;
    std::unique_ptr<ShaftLibrary> library_;
};

} // namespace tarvex
