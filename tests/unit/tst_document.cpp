// The measurement document: a data file's bytes read into one and written
// back are the same bytes (tests/golden/document.txt names every golden data
// file), and a measurement from the library opens into one without a file
// being made anywhere.
#include "Golden.h"
#include "document/MeasurementDocument.h"
#include "tables/DataTable.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

QString dump(const MeasurementDocument& doc)
{
    const DataTable& t = doc.table();
    QStringList rows;
    for (int r = 0; r < t.Rows(); ++r)
        rows << golden::show(t.TextMatrix(r, 0)) + QLatin1Char(',') + golden::show(t.TextMatrix(r, 1));
    QString out = rows.join(QLatin1Char(';')) + QStringLiteral(" | note ") + golden::show(doc.note()) + QStringLiteral(" | unit ")
        + golden::show(doc.loadUnit());
    if (doc.kind() == Workspace::Polar)
        out += QStringLiteral(" | interval ") + doc.interval();
    return out + (doc.isModified() ? QStringLiteral(" | modified") : QString())
        + (doc.fileName().isEmpty() ? QString() : QStringLiteral(" | names ") + doc.fileName());
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
    QTemporaryDir libraryDir;

    // bytes | file => same bytes, or where the written file parts from it
    QString roundTrip(const QString& name)
    {
        const QByteArray bytes = golden::read(QStringLiteral("files/") + name);
        if (bytes.isEmpty())
            return QStringLiteral("no such golden file");
        MeasurementDocument doc(name.endsWith(QLatin1String("tvp")) ? Workspace::Polar : Workspace::Profile);
        const auto read = doc.read(bytes);
        const auto back = doc.dataFileBytes();
        if (!read || !back)
            return QStringLiteral("refused: ") + read.message() + back.message();
        if (*back == bytes)
            return QStringLiteral("same bytes");
        qsizetype at = 0;
        while (at < bytes.size() && at < back->size() && bytes[at] == back->at(at))
            ++at;
        return QStringLiteral("%1 bytes written for %2 read, parting at byte %3").arg(back->size()).arg(bytes.size()).arg(at);
    }

    // library | profile|polar | unit | how | note | rows ... => the document | files made
    // `how` "stored": stored (the library makes the data file from the rows)
    // and loaded as the window loads it; "rows": the rows alone, as an older
    // library kept them; else the words of a measurement brought over
    // damaged. Read into a document that named a file and held other
    // readings, with TMPDIR and the working folder both empty.
    QString fromLibrary(const QStringList& in)
    {
        Measurement m;
        m.kind = in[1] == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
        m.loadUnit = in[2];
        m.note = golden::expand(in[4]);
        const QStringList cells = in.mid(5);
        m.heading0 = cells.value(0).section(QLatin1Char(','), 0, 0);
        m.heading1 = cells.value(0).section(QLatin1Char(','), 1);
        for (const QString& row : cells.mid(1))
            m.rows.emplace_back(row.section(QLatin1Char(','), 0, 0), row.section(QLatin1Char(','), 1));
        Measurement loaded = m;
        if (in[3] == QLatin1String("stored")) {
            ShaftLibrary lib(libraryDir.filePath(QStringLiteral("library.sqlite")));
            Shaft shaft;
            shaft.maker = QStringLiteral("Maker");
            golden::must(lib.store(shaft, m));
            loaded = golden::must(lib.loadMeasurement(m.id, false));
        } else if (in[3] != QLatin1String("rows")) {
            loaded.damaged = in[3];
        }

        MeasurementDocument doc(m.kind == MeasurementKind::Polar ? Workspace::Polar : Workspace::Profile);
        golden::fill(doc.table(), {QStringLiteral("A,B"), QStringLiteral("7,8")}, 0);
        doc.setFileName(QStringLiteral("before.tvl"));
        doc.setNote(QStringLiteral("before"));

        QTemporaryDir temp, work;
        const QByteArray tmpBefore = qgetenv("TMPDIR");
        const QString cwdBefore = QDir::currentPath();
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        QDir::setCurrent(work.path());
        const auto r = doc.read(loaded);
        QDir::setCurrent(cwdBefore);
        qputenv("TMPDIR", tmpBefore);

        const QStringList made = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
            + QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        const QString files = made.isEmpty() ? QStringLiteral("no file made") : QStringLiteral("FILES MADE: ") + made.join(QLatin1Char(' '));
        if (!r)
            return QStringLiteral("refused: %1 | %2 | %3").arg(r.message(), dump(doc), files);
        return dump(doc) + QStringLiteral(" | ") + files;
    }

private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases(QStringLiteral("document.txt"), [this](const QStringList& in) -> QString {
            if (in[0] == QLatin1String("bytes"))
                return roundTrip(in[1]);
            if (in[0] == QLatin1String("library"))
                return fromLibrary(in);
            return QStringLiteral("unknown");
        }));
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
