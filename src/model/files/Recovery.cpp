#include "files/Recovery.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <tuple>

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

Result<RecoveryCopy, RecoveryDamage> DecodeRecovery(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return Failure(RecoveryDamage::NotWhole,
                       QCoreApplication::translate("Files", "it is cut short or its bytes are damaged"));
    const QJsonObject o = doc.object();
    if (o.value("format").toString() != kFormat)
        return Failure(RecoveryDamage::OtherFormat,
                       QCoreApplication::translate("Files", "it is not in the form this version of %1 writes")
                           .arg(kAppTitle));
    RecoveryCopy copy;
    copy.savedAt = QDateTime::fromString(o.value("savedAt").toString(), Qt::ISODateWithMs);
    if (!copy.savedAt.isValid())
        return Failure(RecoveryDamage::Inconsistent,
                       QCoreApplication::translate("Files", "it does not say when it was saved"));
    const std::tuple<const char*, std::optional<RecoveredTable>*, const char*> tables[] = {
        {"profile", &copy.profile, QT_TRANSLATE_NOOP("Files", "its profile table does not hold together")},
        {"polar", &copy.polar, QT_TRANSLATE_NOOP("Files", "its polar table does not hold together")},
    };
    for (const auto& [key, slot, broken] : tables) {
        if (!o.contains(QLatin1String(key)))
            continue;
        *slot = tableFrom(o.value(QLatin1String(key)));
        if (!*slot)
            return Failure(RecoveryDamage::Inconsistent, QCoreApplication::translate("Files", broken));
    }
    if (!copy.profile && !copy.polar)
        return Failure(RecoveryDamage::Empty, QCoreApplication::translate("Files", "it holds no table"));
    return copy;
}

QString DefaultRecoveryLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kAppTitle
        + QStringLiteral("/recovery.json");
}

} // namespace tarvex
