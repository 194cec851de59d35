#pragma once
// Windows-1252, the code page of the data files and text exports. Text is held
// as QString everywhere else; these two functions are the file boundary.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarvex {

// Every byte has a character: 0x00-0x7F and 0xA0-0xFF are the Latin-1 code
// points, 0x80-0x9F the typographic characters of the code page (the euro sign,
// curly quotes, dashes, ...). The five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) come back as the C1 control of the same value,
// so that any byte read from a file is written back unchanged.
QString FromCp1252(QByteArrayView bytes);

// The characters of `text` that have no byte in the code page, each once, in
// order of first appearance. Empty when the whole text can be encoded.
QString Cp1252Unencodable(const QString& text);

// The bytes of `text`. Characters without a byte must have been ruled out with
// Cp1252Unencodable first; should one slip through it becomes "?".
QByteArray ToCp1252(const QString& text);

} // namespace tarvex
