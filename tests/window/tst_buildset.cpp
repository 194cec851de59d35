// The set builder window: the profiles of a library as shafts of a set (the
// length and weight from the note or the shaft's fields), and the window's
// table and words as its settings change. Cases are in
// tests/golden/window/buildset.txt.
#include "Golden.h"
#include "fakes/FakePlatform.h"
#include "settings/GeometrySettings.h"
#include "settings/ShopSettings.h"
#include "library/ShaftLibrary.h"
#include "library/BuildSetDialog.h"
#include "report/ReportPdf.h"

#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

// A steel iron's loads (lbf on a 15 in span bent 0.1 in) every 2 in, its EI
// soft over the tip and rising slowly to the butt, scaled by `scale`.
std::vector<std::pair<QString, QString>> loads(double scale)
{
    std::vector<std::pair<QString, QString>> rows;
    for (int x = 4; x <= 38; x += 2)
        rows.emplace_back(QString::number(x), QString::number(scale * (x < 16 ? 14 + 2.5 * (x - 4) : 44 + 0.9 * (x - 16)) / 2.018, 'f', 4));
    return rows;
}

// "label,scale,note[,length weight];..." a shaft and a profile of it each,
// stored in `library`; the note's lines joined by "/".
QList<qint64> store(ShaftLibrary& library, const QString& entries)
{
    QList<qint64> ids;
    for (const QString& entry : entries.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList p = entry.trimmed().split(QLatin1Char(','));
        Shaft shaft;
        shaft.label = p[0];
        if (p.size() > 3) {
            shaft.lengthInches = p[3].section(QLatin1Char(' '), 0, 0).toDouble();
            shaft.weightGrams = p[3].section(QLatin1Char(' '), 1).toDouble();
        }
        Measurement m;
        m.rows = loads(p[1].toDouble());
        m.note = QString(p[2]).replace(QLatin1Char('/'), QLatin1Char('\n'));
        m.takenAt = QDateTime(QDate(2026, 3, 4), QTime(12, 0), Qt::UTC);
        golden::must(library.store(shaft, m));
        ids << m.id;
    }
    return ids;
}

GeometrySettings bench(double span)
{
    GeometrySettings b;
    b.span = span;
    b.deflection = 0.1;
    return b;
}

// open | shafts | span => what the Library window's button leads to: the
// window, or what is said instead.
QString open(const QStringList& in)
{
    QTemporaryDir dir;
    ShaftLibrary library(dir.filePath(QStringLiteral("library.sqlite")));
    FakeMessageBox messages;
    QWidget parent;
    OpenBuildSet(library, store(library, in[1]), bench(in[2].toDouble()), QStringLiteral("lbf"), {}, messages, &parent);
    if (auto* window = parent.findChild<BuildSetDialog*>())
        return window->windowTitle();
    return messages.asked.isEmpty() ? QStringLiteral("nothing") : messages.asked.first().text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// pdf | shafts | label:spine percent:grade | customer => the certificate from
// the window, through pdftotext, kept whole in the golden file; the line has
// its page count. The polar measurement is of the labelled shaft, stored
// after its profile: the certificate finds its spine by the shaft.
QString pdf(const QStringList& in)
{
    QTemporaryDir dir;
    ShaftLibrary library(dir.filePath(QStringLiteral("library.sqlite")));
    const QList<qint64> ids = store(library, in[1]);
    for (const QString& entry : in[2].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList p = entry.split(QLatin1Char(':'));
        for (const qint64 id : ids) {
            Shaft shaft = golden::must(library.loadWithShaft(id, false)).shaft;
            if (shaft.label != p[0])
                continue;
            Measurement polar;
            polar.kind = MeasurementKind::Polar;
            for (int a = 0; a < 360; a += 30)
                polar.rows.emplace_back(QString::number(a), QStringLiteral("10"));
            polar.takenAt = QDateTime(QDate(2026, 3, 5), QTime(12, 0), Qt::UTC);
            polar.spine = StoredSpine{p[1].toDouble(), 0, 0, 0, 0, p[2]};
            golden::must(library.store(shaft, polar));
        }
    }
    FakeMessageBox messages;
    QWidget parent;
    ShopSettings shop;
    shop.name = QStringLiteral("Fairway Shaft Lab");
    BuildSetDialog* window = OpenBuildSet(library, ids, bench(15), QStringLiteral("lbf"), shop, messages, &parent);
    if (!window)
        return QStringLiteral("no window");
    window->findChild<QLineEdit*>(QStringLiteral("txtCustomer"))->setText(in[3]);
    const auto pdf = CertificateAsPdf(window->certificate());
    if (!pdf)
        return pdf.message();
    const QByteArray& bytes = *pdf;
    const QString file = dir.filePath(QStringLiteral("certificate.pdf"));
    golden::writeFile(file, bytes);
    QString text = QString::fromUtf8(golden::output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")}));
    if (text.isEmpty())
        return QStringLiteral("pdftotext did not run: poppler-utils are needed");
    text.replace(QDate::currentDate().toString(Qt::ISODate), QStringLiteral("<today>"));
    if (const QString diff = golden::compare(QStringLiteral("window/buildset_certificate.txt"), text.toUtf8()); !diff.isEmpty())
        return diff;
    const qsizetype pages = text.count(QLatin1Char('\f'));
    return pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages);
}

// set | shafts | box=value;... => the window's words | its table, a club a line
QString run(const QStringList& in)
{
    if (in[0] == QLatin1String("open"))
        return open(in);
    if (in[0] == QLatin1String("pdf"))
        return pdf(in);
    QTemporaryDir dir;
    ShaftLibrary library(dir.filePath(QStringLiteral("library.sqlite")));
    QStringList skipped;
    SetRequest rq = DefaultSetRequest(LengthUnit::Inch);
    rq.shafts = SetShaftsFromLibrary(library, store(library, in[1]), bench(15), QStringLiteral("lbf"), skipped);
    BuildSetDialog window(rq, skipped);
    for (const QString& change : in.value(2).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString box = change.section(QLatin1Char('='), 0, 0), value = change.section(QLatin1Char('='), 1);
        if (auto* combo = window.findChild<QComboBox*>(box))
            combo->setCurrentIndex(value.toInt());
        else
            window.findChild<QDoubleSpinBox*>(box)->setValue(value.toDouble());
    }
    QStringList out = window.summary();
    out << golden::lines(*window.findChild<QTableWidget*>(QStringLiteral("tblClubs")), QStringLiteral("/"));
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestBuildSetWindow : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("window/buildset.txt", run)); }
};

QTEST_MAIN(TestBuildSetWindow)
#include "tst_buildset.moc"
