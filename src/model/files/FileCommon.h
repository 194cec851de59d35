#pragma once
// Pieces shared by the data files and the text exports: the outcome of a
// reader and of a writer, the little-endian record primitives, the check of
// texts against the code page, and writing a file so that it is replaced in
// one step.

#include "platform/Result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QFile;
class QIODevice;

namespace tarvex {
class DataTable;
}

namespace tarvex {

// A text in a data file carries a 2-byte length, one byte per character.
constexpr int kMaxStoredTextBytes = 65535;

enum class ReadStatus {
    Ok,
    BadName,   // the system rejects the name itself
    Missing,   // nothing there, or no regular file (a folder, a device)
    Failed,    // there, but empty, unreadable or not laid out as the record
};

enum class SaveStatus {
    Ok,
    NotANumber,    // a cell the strict rule does not take, or beyond the float range
    NoDataRows,    // a polar table without data rows
    CannotWrite,   // the file could not be created, written or replaced
    CannotStore,   // a text the file cannot hold (characters or length): the user is told
};

// A reader's failure always has words for the user; so has a writer's, but
// for a polar table without data rows, which the window never saves.
using ReadResult = Result<void, ReadStatus>;
using SaveResult = Result<void, SaveStatus>;

inline constexpr const char* kBadFileName = QT_TRANSLATE_NOOP("Files", "File not found!");

// The words that open every refused save, a translated text of its own: a
// caller that tells the reason in a sentence of its own takes them off.
QString NothingWasSaved();

// A save refused at the cell (row, col) of the table (row 0 the headings),
// named as the user counts: the first data row is row 1, the first column 1.
Failure<SaveStatus> NotANumberAt(int row, int col);

// Opens a data file for one of the record readers: BadName, Missing or
// Failed, or Ok with `file` open on a regular file.
ReadStatus OpenDataFile(const QString& path, QFile& file);

// The words of one file kind's reader: for a file that is not there, and for
// one that is there but does not read as that kind.
// Both are translated when told (context "Files").
struct ReadFailureTexts {
    const char* missing;
    const char* notData;
};

// A data file reader's failure: a name the system rejects is told alike for
// every file; anything else in the words of that file's reader.
ReadResult ReadFailure(ReadStatus status, const ReadFailureTexts& texts);

// Whether `text` can be stored; if not, why, in words for the user. `what`
// names the text ("the note"). With `limitLength` the text must also fit a
// 2-byte length.
SaveResult CheckStorable(const QString& text, const QString& what, bool limitLength = true);

// The note box holds "\n" between lines; the files hold carriage return and
// line feed, as the note was typed.
QString NoteToFile(const QString& note);
QString NoteFromFile(const QString& stored);

// False for a path the system would not take as a file name at all (empty,
// a NUL character, a name or path beyond the system's limits).
bool IsAcceptableFileName(const QString& path);

// Writes `bytes` in place of the file at `path` (see WriteFileSafely). A
// failure leaves the old file as it was and is told to the user: a save that
// passed for success while the disk was full would lose the run.
SaveResult WriteDataBytes(const QString& path, const QByteArray& bytes);
// The same for a writer's outcome: its failure is handed on, nothing written.
SaveResult WriteDataBytes(const QString& path, const Result<QByteArray, SaveStatus>& bytes);

// Opens the data file at `path` and hands it to `read`: a name the system
// rejects, or no regular file there, fails in the words of `texts` before
// `read` is asked. The device is the file, of a known size.
ReadResult ReadDataFile(const QString& path, const ReadFailureTexts& texts,
                        const std::function<ReadResult(QIODevice&)>& read);

// A stored note or heading that is empty leaves the table's own in place:
// the headings are set in the table, the note to show is given back.
QString ApplyStoredTexts(const QString& storedNote, const QString& heading0, const QString& heading1,
                         DataTable& table, const QString& note);

// Little-endian record writer. Texts arrive as code-page bytes.
class RecordWriter {
public:
    explicit RecordWriter(qsizetype expectedSize = 0) { bytes_.reserve(expectedSize); }
    void u16(quint16 v);
    void u32(quint32 v);
    void i32(qint32 v);
    // Dimension count 1, element count, lower bound 0.
    void arrayDescriptor(quint32 count);
    void floats(const std::vector<float>& values);
    void text(const QByteArray& bytes);
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Little-endian record reader over a device of known size. Every read checks
// first that the device still holds the bytes, so a count beyond the file
// fails before anything is allocated for it. A read that fails answers
// nothing: the decoder has but one thing to say, that the file is damaged.
class RecordReader {
public:
    explicit RecordReader(QIODevice& device);
    qint64 remaining() const { return remaining_; }
    std::optional<quint16> u16();
    std::optional<quint32> u32();
    std::optional<qint32> i32();
    // A one-dimensional array descriptor with lower bound 0; gives the count.
    std::optional<quint32> arrayDescriptor();
    std::optional<std::vector<float>> floats(quint32 count);
    std::optional<QString> text();
    bool skipText();
    // The three texts that end both kinds of record: the note as stored,
    // then the two column headings.
    struct Trailer {
        QString note, heading0, heading1;
    };
    std::optional<Trailer> trailer();

private:
    bool take(char* dst, qint64 n);
    QIODevice& device_;
    qint64 remaining_;
};

} // namespace tarvex
