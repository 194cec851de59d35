// The profile and polar data files and the text exports: the bytes written,
// what reading them back gives, and that every damaged file is refused with
// its message while the table, note and interval stay as they were.
#include "files/Cp1252.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/TextExport.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using namespace tarvex;

namespace {

// Expected bytes are built here by hand, independently of the writer.
struct Bytes {
    QByteArray b;
    Bytes& u16(quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); return *this; }
    Bytes& u32(quint32 v) { for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF)); return *this; }
    Bytes& f32(float f) { quint32 v; std::memcpy(&v, &f, 4); return u32(v); }
    Bytes& desc(quint32 n) { return u16(1).u32(n).u32(0); }
    Bytes& text(const QByteArray& t) { u16(quint16(t.size())); b.append(t); return *this; }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

void fillProfile(DataTable& t, const QList<QPair<QString, QString>>& rows, const QString& h0 = QString(),
                 const QString& h1 = QString())
{
    t.setRows(1);
    t.setRows(int(rows.size()) + 1);
    t.setTextMatrix(0, 0, h0);
    t.setTextMatrix(0, 1, h1);
    for (int r = 0; r < rows.size(); ++r) {
        t.setTextMatrix(r + 1, 0, rows[r].first);
        t.setTextMatrix(r + 1, 1, rows[r].second);
    }
}

// A polar table laid out for `interval` with loads 1, 2, 3, ... (or `load`).
void fillPolar(DataTable& t, const QString& interval)
{
    SetPolarRows(t, interval);
    for (int r = 1; r < t.Rows(); ++r)
        t.setTextMatrix(r, 1, QString::number(r * 1.5));
}

// A valid profile file of two data rows with note and headings.
QByteArray sampleProfileBytes()
{
    return Bytes().desc(3).f32(10).f32(20).f32(0).desc(3).f32(2.5f).f32(3.1f).f32(0)
        .text("note").text("X").text("Y").b;
}

QByteArray samplePolarBytes()
{
    Bytes b;
    b.desc(4);
    for (const char* a : {"0", "90", "180", "270"})
        b.text(a);
    b.desc(4).f32(1).f32(2).f32(3).f32(4).text("n").text("D").text("L");
    return b.b;
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    // ---- Windows-1252 --------------------------------------------------------
    void cp1252RoundTripsEveryByte()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QString text = FromCp1252(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(Cp1252Unencodable(text).isEmpty());
        QCOMPARE(ToCp1252(text), all);
    }
    void cp1252Mapping_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("unassigned 0x81") << 0x81 << 0x81;
        QTest::newRow("left double quote") << 0x93 << 0x201C;
        QTest::newRow("em dash") << 0x97 << 0x2014;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0xA0;
        QTest::newRow("degree sign") << 0xB0 << 0xB0;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void cp1252Mapping()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(FromCp1252(QByteArray(1, char(byte))), QString(QChar(char16_t(unicode))));
        QCOMPARE(ToCp1252(QString(QChar(char16_t(unicode)))), QByteArray(1, char(byte)));
    }
    void cp1252NamesWhatItCannotHold()
    {
        const QString rocket = QString::fromUtf8("\xF0\x9F\x9A\x80");
        QCOMPARE(Cp1252Unencodable(QString::fromUtf8("a\xE2\x86\x92" "b\xE2\x86\x92") + rocket + rocket),
                 QString::fromUtf8("\xE2\x86\x92") + rocket);
        QCOMPARE(ToCp1252(QStringLiteral("a") + rocket), QByteArray("a?"));
    }

    // ---- profile file: bytes ---------------------------------------------------
    void profileBytes_data()
    {
        QTest::addColumn<QString>("h0");
        QTest::addColumn<QString>("h1");
        QTest::addColumn<int>("size");
        QTest::newRow("no headings") << "" << "" << 58;
        QTest::newRow("X and Y") << "X" << "Y" << 60;
    }
    void profileBytes()
    {
        QFETCH(QString, h0);
        QFETCH(QString, h1);
        QFETCH(int, size);
        DataTable t;
        fillProfile(t, {{"10", "2.5"}, {"12.5", "-3"}, {"1e2", " 4 "}}, h0, h1);
        const QString file = path("three.tvl");
        QVERIFY(WriteProfileFile(file, t, QString()).ok());
        const QByteArray expected = Bytes().desc(4).f32(10).f32(12.5f).f32(100).f32(0)
            .desc(4).f32(2.5f).f32(-3).f32(4).f32(0).text("").text(h0.toLatin1()).text(h1.toLatin1()).b;
        QCOMPARE(expected.size(), size);
        QCOMPARE(readAll(file), expected);
    }
    void profileHeadingRowOnly()
    {
        DataTable t;
        t.setRows(1);
        t.setTextMatrix(0, 0, QStringLiteral("X"));
        const QString file = path("heading.tvl");
        QVERIFY(WriteProfileFile(file, t, QString()).ok());
        QCOMPARE(readAll(file), Bytes().desc(1).f32(0).desc(1).f32(0).text("").text("X").text("").b);

        DataTable back;
        QString note;
        QCOMPARE(ReadProfileFile(file, back, note), ReadStatus::Ok);
        QCOMPARE(back.Rows(), 1);
        QCOMPARE(back.TextMatrix(0, 0), QStringLiteral("X"));
    }

    // ---- profile file: reading back ---------------------------------------------
    void profileShortFloatText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("2.55") << "2.55" << "2.55";
        QTest::newRow("pi") << "3.1415927" << "3.141593";
        QTest::newRow("0.1") << "0.1" << "0.1";
        QTest::newRow("negative") << "-0.0625" << "-0.0625";
        QTest::newRow("rounded to 7 digits") << "12345.678" << "12345.68";
        QTest::newRow("zero") << "0" << "0";
    }
    void profileShortFloatText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, readBack);
        DataTable t;
        fillProfile(t, {{typed, typed}});
        const QString file = path("digits.tvl");
        QVERIFY(WriteProfileFile(file, t, QString()).ok());
        DataTable back;
        QString note;
        QCOMPARE(ReadProfileFile(file, back, note), ReadStatus::Ok);
        QCOMPARE(back.TextMatrix(1, 0), readBack);
        QCOMPARE(back.TextMatrix(1, 1), readBack);
    }
    void profileRoundTripKeepsTextsAndLineBreaks()
    {
        DataTable t;
        fillProfile(t, {{"1", "2"}, {"3", "4"}}, QStringLiteral("     Position"), QString::fromUtf8("Load \xE2\x82\xAC"));
        const QString note = QString::fromUtf8("first line\nsecond \xC3\xA9 line\n");
        const QString file = path("texts.tvl");
        QVERIFY(WriteProfileFile(file, t, note).ok());
        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.contains(QByteArray("first line\r\nsecond \xE9 line\r\n")));
        QVERIFY(bytes.endsWith(QByteArray("\x0D\x00     Position\x06\x00Load \x80", 23)));

        DataTable back;
        QString shown = QStringLiteral("old note");
        QCOMPARE(ReadProfileFile(file, back, shown), ReadStatus::Ok);
        QCOMPARE(shown, note);
        QCOMPARE(back.TextMatrix(0, 0), QStringLiteral("     Position"));
        QCOMPARE(back.TextMatrix(0, 1), QString::fromUtf8("Load \xE2\x82\xAC"));
        QCOMPARE(back.snapshot(), t.snapshot());
        // Written again, the file is the same to the byte.
        QVERIFY(WriteProfileFile(path("texts2.tvl"), back, shown).ok());
        QCOMPARE(readAll(path("texts2.tvl")), bytes);
    }
    void profileEmptyStoredTextsKeepTheTables()
    {
        const QString file = path("bare.tvl");
        writeAll(file, Bytes().desc(2).f32(5).f32(0).desc(2).f32(6).f32(0).text("").text("").text("").b);
        DataTable t;
        fillProfile(t, {{"1", "1"}, {"2", "2"}, {"3", "3"}}, QStringLiteral("Pos"), QStringLiteral("Force"));
        QString note = QStringLiteral("kept");
        QCOMPARE(ReadProfileFile(file, t, note), ReadStatus::Ok);
        QCOMPARE(note, QStringLiteral("kept"));
        QCOMPARE(t.Rows(), 2);
        QCOMPARE(t.snapshot(), (std::vector<QStringList>{{"Pos", "Force"}, {"5", "6"}}));
    }
    void profileSurplusBytesIgnored()
    {
        const QString file = path("surplus.tvl");
        writeAll(file, sampleProfileBytes() + QByteArray(300, '\x7f'));
        DataTable t;
        QString note;
        QCOMPARE(ReadProfileFile(file, t, note), ReadStatus::Ok);
        QCOMPARE(t.snapshot(), (std::vector<QStringList>{{"X", "Y"}, {"10", "2.5"}, {"20", "3.1"}}));
        QCOMPARE(note, QStringLiteral("note"));
    }
    void savingOverALongerFileLeavesOnlyTheRecord()
    {
        const QString file = path("longer.tvl");
        writeAll(file, QByteArray(5000, 'z'));
        DataTable t;
        fillProfile(t, {{"1", "2"}});
        QVERIFY(WriteProfileFile(file, t, QString()).ok());
        QCOMPARE(readAll(file).size(), 10 + 8 + 10 + 8 + 6);
        QCOMPARE(QDir(dir.path()).entryList({"longer.tvl*"}, QDir::Files | QDir::Hidden), QStringList{"longer.tvl"});
    }

    void replacingKeepsPermissionsAndLinks()
    {
        const QString target = path("target.tvl");
        const QString link = path("link.tvl");
        writeAll(target, "old");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(target, link));
        DataTable t;
        fillProfile(t, {{"1", "2"}});
        QVERIFY(WriteProfileFile(link, t, QString()).ok());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readAll(target).size(), 42);
        QCOMPARE(QFileInfo(target).permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                    | QFileDevice::ReadOther),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // ---- writers that refuse -----------------------------------------------------
    void profileWriterRefuses_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<int>("status");
        QTest::newRow("empty X") << "" << "1" << int(SaveStatus::NotANumber);
        QTest::newRow("empty Y") << "1" << "" << int(SaveStatus::NotANumber);
        QTest::newRow("blanks only") << "  " << "1" << int(SaveStatus::NotANumber);
        QTest::newRow("unit after number") << "1" << "3 kN" << int(SaveStatus::NotANumber);
        QTest::newRow("beyond float") << "1e39" << "1" << int(SaveStatus::NotANumber);
        QTest::newRow("comma decimal") << "2,5" << "1" << int(SaveStatus::NotANumber);
    }
    void profileWriterRefuses()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(int, status);
        const QString file = path("kept.tvl");
        writeAll(file, "old bytes");
        DataTable t;
        fillProfile(t, {{"1", "1"}, {x, y}});
        const SaveResult r = WriteProfileFile(file, t, QString());
        QCOMPARE(int(r.status), status);
        QVERIFY(r.message.isEmpty());
        QCOMPARE(readAll(file), QByteArray("old bytes"));
    }
    void textsTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("named");
        QTest::newRow("arrow in note") << QString::fromUtf8("a \xE2\x86\x92 b") << "Y" << "the note";
        QTest::newRow("CJK heading") << "" << QString::fromUtf8("\xE8\x8D\xB7") << "the heading of column 2";
        QTest::newRow("note too long") << QString(70000, 'n') << "Y" << "the note";
        QTest::newRow("line breaks push it over") << QString(40000, '\n') << "Y" << "the note";
        QTest::newRow("heading too long") << "" << QString(65536, 'h') << "the heading of column 2";
    }
    void textsTheFileCannotHold()
    {
        QFETCH(QString, note);
        QFETCH(QString, heading);
        QFETCH(QString, named);
        DataTable t;
        fillProfile(t, {{"1", "2"}}, QStringLiteral("X"), heading);
        const QString file = path("never.tvl");
        const SaveResult r = WriteProfileFile(file, t, note);
        QCOMPARE(r.status, SaveStatus::CannotStore);
        QVERIFY2(r.message.startsWith(QStringLiteral("Nothing was saved: ") + named), qPrintable(r.message));
        QVERIFY(!QFile::exists(file));

        DataTable p;
        fillPolar(p, QStringLiteral("90"));
        p.setTextMatrix(0, 1, heading);
        QCOMPARE(WritePolarFile(file, p, note).status, SaveStatus::CannotStore);
        QVERIFY(!QFile::exists(file));
    }
    void longestTextsFit()
    {
        DataTable t;
        fillProfile(t, {{"1", "2"}}, QString(65535, 'h'), QStringLiteral("Y"));
        const QString file = path("longest.tvl");
        QVERIFY(WriteProfileFile(file, t, QString(65535, 'n')).ok());
        DataTable back;
        QString note;
        QCOMPARE(ReadProfileFile(file, back, note), ReadStatus::Ok);
        QCOMPARE(note.size(), 65535);
        QCOMPARE(back.TextMatrix(0, 0).size(), 65535);
    }
    void writerReportsAFolderThatDoesNotExist()
    {
        DataTable t;
        fillProfile(t, {{"1", "2"}});
        QCOMPARE(WriteProfileFile(path("no/such/folder/x.tvl"), t, QString()).status, SaveStatus::CannotWrite);
        QCOMPARE(WriteTextExport(path("no/such/folder/x.txt"), t, QString(), QStringLiteral(",")).status,
                 SaveStatus::CannotWrite);
    }

    // ---- profile reader failures ---------------------------------------------------
    void profileReaderFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = sampleProfileBytes();
        QTest::newRow("empty") << QByteArray();
        for (int cut = 1; cut < good.size(); ++cut)
            QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(cut))) << good.left(cut);
        QTest::newRow("two dimensions") << Bytes().u16(2).u32(3).u32(0).b + good.mid(10);
        QTest::newRow("lower bound 1") << Bytes().u16(1).u32(3).u32(1).b + good.mid(10);
        QTest::newRow("no elements") << Bytes().desc(0).desc(0).text("").text("").text("").b;
        QTest::newRow("Y count differs") << Bytes().desc(2).f32(1).f32(0).desc(1).f32(0).text("").text("").text("").b;
        QTest::newRow("count 4294967295") << Bytes().desc(0xFFFFFFFFu).b + QByteArray(64, '\0');
        QTest::newRow("count beyond the file") << Bytes().desc(1000).b + QByteArray(7000, '\0');
        QTest::newRow("more rows than a table holds")
            << Bytes().desc(40000).b + QByteArray(40000 * 8 + 100, '\0');
        QTest::newRow("text longer than the file") << Bytes().desc(1).f32(0).desc(1).f32(0).u16(9).b + "abc";
    }
    void profileReaderFailures()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path("damaged.tvl");
        writeAll(file, bytes);
        DataTable t;
        fillProfile(t, {{"7", "8"}, {"9", "10"}}, QStringLiteral("Pos"), QStringLiteral("Load"));
        const auto before = t.snapshot();
        QString note = QStringLiteral("mine");
        const ReadStatus status = ReadProfileFile(file, t, note);
        QCOMPARE(status, ReadStatus::Failed);
        QCOMPARE(ProfileReadMessage(status), QStringLiteral("File not Found"));
        QCOMPARE(t.snapshot(), before);
        QCOMPARE(note, QStringLiteral("mine"));
    }
    void readerNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::newRow("missing") << "missing.tvl" << int(ReadStatus::Failed);
        QTest::newRow("folder") << "." << int(ReadStatus::Failed);
        QTest::newRow("empty name") << "" << int(ReadStatus::BadName);
        QTest::newRow("NUL inside") << QStringLiteral("a") + QChar(0) + QStringLiteral("b.tvl") << int(ReadStatus::BadName);
        QTest::newRow("name too long") << QString(300, 'n') + QStringLiteral(".tvl") << int(ReadStatus::BadName);
    }
    void readerNames()
    {
        QFETCH(QString, name);
        QFETCH(int, status);
        const QString full = name.isEmpty() ? name : path(name);
        DataTable t;
        QString note;
        QCOMPARE(int(ReadProfileFile(full, t, note)), status);
        QString interval;
        QCOMPARE(int(ReadPolarFile(full, t, interval, note)), status);
        QCOMPARE(ProfileReadMessage(ReadStatus::BadName), QStringLiteral("File not found!"));
        QCOMPARE(PolarReadMessage(ReadStatus::BadName), QStringLiteral("File not found!"));
    }

    // ---- polar file --------------------------------------------------------------
    void polarBytes149()
    {
        DataTable t;
        fillPolar(t, QStringLiteral("30"));
        QCOMPARE(t.TextMatrix(0, 0), QStringLiteral("     Degree"));
        const QString file = path("thirty.tvp");
        QVERIFY(WritePolarFile(file, t, QString()).ok());
        Bytes b;
        b.desc(12);
        for (int a = 0; a < 360; a += 30)
            b.text(QByteArray::number(a));
        b.desc(12);
        for (int r = 1; r <= 12; ++r)
            b.f32(float(r * 1.5));
        b.text("").text("     Degree").text("     Load");
        QCOMPARE(b.b.size(), 149);
        QCOMPARE(readAll(file), b.b);
    }
    void polarReadBack_data()
    {
        QTest::addColumn<QString>("writtenAt");
        QTest::addColumn<QString>("readAs");
        QTest::addColumn<int>("rows");
        QTest::newRow("10 degrees") << "10" << "10" << 36;
        QTest::newRow("1 degree") << "1" << "1" << 360;
        QTest::newRow("90 degrees") << "90" << "90" << 4;
        QTest::newRow("7 degrees as 30") << "7" << "30" << 12;
        QTest::newRow("16 degrees as 30") << "16" << "30" << 12;
    }
    void polarReadBack()
    {
        QFETCH(QString, writtenAt);
        QFETCH(QString, readAs);
        QFETCH(int, rows);
        DataTable t;
        fillPolar(t, writtenAt);
        const QString file = path("polar.tvp");
        QVERIFY(WritePolarFile(file, t, QString()).ok());

        DataTable back;
        QString interval = QStringLiteral("5");
        QString note;
        QCOMPARE(ReadPolarFile(file, back, interval, note), ReadStatus::Ok);
        QCOMPARE(interval, readAs);
        QCOMPARE(back.Rows(), rows + 1);
        for (int r = 1; r <= rows; ++r) {
            QCOMPARE(back.TextMatrix(r, 0), NumberText((r - 1) * readAs.toDouble()));
            QCOMPARE(back.TextMatrix(r, 1), QString::number(r * 1.5));
        }
        QCOMPARE(back.Row(), rows);
        QCOMPARE(back.Col(), 1);
    }
    void polarEachLoadRowBecomesCurrent()
    {
        DataTable t;
        fillPolar(t, QStringLiteral("90"));
        const QString file = path("order.tvp");
        QVERIFY(WritePolarFile(file, t, QString()).ok());
        DataTable back;
        QStringList entered;
        back.onEnterCell = [&] { entered << QStringLiteral("%1,%2").arg(back.Row()).arg(back.Col()); };
        QString interval, note;
        QCOMPARE(ReadPolarFile(file, back, interval, note), ReadStatus::Ok);
        QCOMPARE(entered, (QStringList{"1,1", "2,1", "3,1", "4,1"}));
    }
    void polarTextsAndNotes()
    {
        DataTable t;
        fillPolar(t, QStringLiteral("90"));
        t.setTextMatrix(0, 0, QStringLiteral("     Angle"));
        t.setTextMatrix(1, 1, QStringLiteral("3.1415927"));
        const QString file = path("texts.tvp");
        QVERIFY(WritePolarFile(file, t, QStringLiteral("a\nb")).ok());
        QVERIFY(readAll(file).contains(QByteArray("\x04\x00" "a\r\nb", 6)));
        DataTable back;
        QString interval, note = QStringLiteral("old");
        QCOMPARE(ReadPolarFile(file, back, interval, note), ReadStatus::Ok);
        QCOMPARE(note, QStringLiteral("a\nb"));
        QCOMPARE(back.TextMatrix(0, 0), QStringLiteral("     Angle"));
        QCOMPARE(back.TextMatrix(0, 1), QStringLiteral("     Load"));
        QCOMPARE(back.TextMatrix(1, 1), QStringLiteral("3.141593"));

        // An empty stored note and headings leave the ones shown.
        DataTable bare;
        fillPolar(bare, QStringLiteral("90"));
        bare.setTextMatrix(0, 0, QString());
        bare.setTextMatrix(0, 1, QString());
        QVERIFY(WritePolarFile(file, bare, QString()).ok());
        QCOMPARE(ReadPolarFile(file, back, interval, note), ReadStatus::Ok);
        QCOMPARE(note, QStringLiteral("a\nb"));
        QCOMPARE(back.TextMatrix(0, 0), QStringLiteral("     Degree"));
    }
    void polarWriterRefuses()
    {
        const QString file = path("refused.tvp");
        DataTable t;
        fillPolar(t, QStringLiteral("90"));
        t.setTextMatrix(3, 1, QString());
        QCOMPARE(WritePolarFile(file, t, QString()).status, SaveStatus::NotANumber);
        SetPolarRows(t, QStringLiteral("1000"));
        QCOMPARE(t.Rows(), 1);
        QCOMPARE(WritePolarFile(file, t, QString()).status, SaveStatus::NoDataRows);
        QVERIFY(!QFile::exists(file));
        fillPolar(t, QStringLiteral("90"));
        t.setTextMatrix(2, 0, QString::fromUtf8("90\xC2\xB0\xE2\x80\xB2"));   // degree sign fits, prime does not
        const SaveResult r = WritePolarFile(file, t, QString());
        QCOMPARE(r.status, SaveStatus::CannotStore);
        QVERIFY(r.message.contains(QStringLiteral("the angle in row 2")));
        QVERIFY(!r.message.contains(QString::fromUtf8("\xC2\xB0")));
    }
    void polarSurplusBytesIgnored()
    {
        const QString file = path("surplus.tvp");
        writeAll(file, samplePolarBytes() + "trailing");
        DataTable t;
        QString interval, note;
        QCOMPARE(ReadPolarFile(file, t, interval, note), ReadStatus::Ok);
        QCOMPARE(interval, QStringLiteral("90"));
        QCOMPARE(t.TextMatrix(4, 1), QStringLiteral("4"));
    }
    void polarReaderFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = samplePolarBytes();
        QTest::newRow("empty") << QByteArray();
        for (int cut = 1; cut < good.size(); ++cut)
            QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(cut))) << good.left(cut);
        Bytes five;
        five.desc(5);
        for (int i = 0; i < 5; ++i)
            five.text("x");
        five.desc(5).f32(1).f32(2).f32(3).f32(4).f32(5).text("").text("").text("");
        QTest::newRow("5 stored loads") << five.b;
        QTest::newRow("no rows") << Bytes().desc(0).desc(0).text("").text("").text("").b;
        QTest::newRow("two dimensions") << Bytes().u16(2).b + good.mid(2);
        QTest::newRow("load count differs")
            << Bytes().desc(1).text("0").desc(2).f32(1).f32(2).text("").text("").text("").b;
        QTest::newRow("count 4294967295") << Bytes().desc(0xFFFFFFFFu).b + QByteArray(100, '\0');
        QTest::newRow("angle texts beyond the file") << Bytes().desc(4).text("0").u16(60000).b + QByteArray(50, 'a');
        QTest::newRow("more rows than a table holds") << Bytes().desc(32767).b + QByteArray(32767 * 6 + 16, '\0');
    }
    void polarReaderFailures()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path("damaged.tvp");
        writeAll(file, bytes);
        DataTable t;
        fillPolar(t, QStringLiteral("45"));
        t.setTextMatrix(0, 1, QStringLiteral("Mine"));
        const auto before = t.snapshot();
        QString interval = QStringLiteral("45");
        QString note = QStringLiteral("mine");
        const ReadStatus status = ReadPolarFile(file, t, interval, note);
        QCOMPARE(status, ReadStatus::Failed);
        QCOMPARE(PolarReadMessage(status), QStringLiteral("File Type not Supported"));
        QCOMPARE(t.snapshot(), before);
        QCOMPARE(interval, QStringLiteral("45"));
        QCOMPARE(note, QStringLiteral("mine"));
    }
    void polarIntervalByCount_data()
    {
        QTest::addColumn<uint>("count");
        QTest::addColumn<QString>("interval");
        const QList<QPair<uint, const char*>> table = {{360, "1"}, {180, "2"}, {72, "5"}, {36, "10"}, {24, "15"},
                                                       {12, "30"}, {8, "45"}, {6, "60"}, {4, "90"}, {51, "30"},
                                                       {0, "30"}, {1, "30"}, {359, "30"}};
        for (const auto& [count, interval] : table)
            QTest::newRow(qPrintable(QString::number(count))) << count << QString::fromLatin1(interval);
    }
    void polarIntervalByCount()
    {
        QFETCH(uint, count);
        QFETCH(QString, interval);
        QCOMPARE(PolarIntervalForCount(count), interval);
    }

    // ---- text exports --------------------------------------------------------------
    void textExports_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("profile example") << "," << "" << QByteArray("X,Y\r\n10,2.5\r\n20,3.1\r\n\r\n");
        QTest::newRow("polar separator") << " , " << "" << QByteArray("X , Y\r\n10 , 2.5\r\n20 , 3.1\r\n\r\n");
        QTest::newRow("note lines") << "," << QString::fromUtf8("a\nb \xE2\x82\xAC")
                                    << QByteArray("X,Y\r\n10,2.5\r\n20,3.1\r\na\r\nb \x80\r\n");
    }
    void textExports()
    {
        QFETCH(QString, separator);
        QFETCH(QString, note);
        QFETCH(QByteArray, expected);
        DataTable t;
        fillProfile(t, {{"10", "2.5"}, {"20", "3.1"}}, QStringLiteral("X"), QStringLiteral("Y"));
        const QString file = path("export.txt");
        writeAll(file, QByteArray(400, 'o'));
        QVERIFY(WriteTextExport(file, t, note, separator).ok());
        QCOMPARE(readAll(file), expected);
    }
    void textExportWritesCellsAsTheyStand()
    {
        DataTable t;
        fillProfile(t, {{" 1,5 ", ""}, {"abc", "3"}}, QStringLiteral("     X"), QString());
        const QString file = path("asis.txt");
        QVERIFY(WriteProfileTextExport(file, t, QString()).ok());
        QCOMPARE(readAll(file), QByteArray("     X,\r\n 1,5 ,\r\nabc,3\r\n\r\n"));
        t.setTextMatrix(2, 0, QString::fromUtf8("\xE2\x9C\x93"));
        const SaveResult r = WritePolarTextExport(file, t, QString());
        QCOMPARE(r.status, SaveStatus::CannotStore);
        QVERIFY(r.message.contains(QStringLiteral("row 2, column 1")));
        QCOMPARE(readAll(file), QByteArray("     X,\r\n 1,5 ,\r\nabc,3\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
