#include "files/Recovery.h"

#include "platform/MessageBox.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace tarvex {

namespace {

const QString kFormat = QStringLiteral("tarvex-recovery-1");

QJsonObject tableObject(const RecoveredTable& t)
{
    return QJsonObject{{"rows", t.rows},
                       {"cols", t.cols},
                       {"cells", QJsonArray::fromStringList(t.cells)},
                       {"note", t.note},
                       {"row", t.row},
                       {"col", t.col}};
}

std::optional<RecoveredTable> tableFrom(const QJsonValue& v)
{
    if (!v.isObject())
        return std::nullopt;
    const QJsonObject o = v.toObject();
    RecoveredTable t;
    t.rows = o.value("rows").toInt(-1);
    t.cols = o.value("cols").toInt(-1);
    t.note = o.value("note").toString();
    t.row = o.value("row").toInt();
    t.col = o.value("col").toInt();
    const QJsonArray cells = o.value("cells").toArray();
    if (t.rows < 1 || t.cols < 1 || t.rows > 100000 || t.cols > 100 || cells.size() != qsizetype(t.rows) * t.cols)
        return std::nullopt;
    for (const QJsonValue& c : cells) {
        if (!c.isString())
            return std::nullopt;
        t.cells << c.toString();
    }
    return t;
}

} // namespace

QByteArray EncodeRecovery(const RecoveryCopy& copy)
{
    QJsonObject o{{"format", kFormat}, {"savedAt", copy.savedAt.toUTC().toString(Qt::ISODateWithMs)}};
    if (copy.profile)
        o.insert("profile", tableObject(*copy.profile));
    if (copy.polar)
        o.insert("polar", tableObject(*copy.polar));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<RecoveryCopy> DecodeRecovery(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    if (o.value("format").toString() != kFormat)
        return std::nullopt;
    RecoveryCopy copy;
    copy.savedAt = QDateTime::fromString(o.value("savedAt").toString(), Qt::ISODateWithMs);
    if (!copy.savedAt.isValid())
        return std::nullopt;
    for (auto [key, slot] : {std::pair{"profile", &copy.profile}, std::pair{"polar", &copy.polar}}) {
        if (!o.contains(key))
            continue;
        *slot = tableFrom(o.value(key));
        if (!*slot)
            return std::nullopt;
    }
    if (!copy.profile && !copy.polar)
        return std::nullopt;
    return copy;
}

QString DefaultRecoveryLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kAppTitle
        + QStringLiteral("/recovery.json");
}

} // namespace tarvex
