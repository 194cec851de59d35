#include "files/OpenSave.h"

namespace tarvex {

const TabFileSettings* FileSettingsForTab(int tab)
{
    static const TabFileSettings profile{
        QStringLiteral("Tarvex Data File(*.tvl)|*.tvl"),
        QStringLiteral("Tarvex Data File(*.tvl)|*.tvl|Save As Text File(*.txt)|*.txt"),
        QStringLiteral("tvl"),
        QStringLiteral("The file type is not correct!"),
        QStringLiteral("The file type is not support!"),
    };
    static const TabFileSettings polar{
        QStringLiteral("Tarvex Polar File(*.tvp)|*.tvp"),
        QStringLiteral("Tarvex Polar Data File(*.tvp)|*.tvp|Save As Text File(*.txt)|*.txt"),
        QStringLiteral("tvp"),
        QStringLiteral("The file type is not correct!"),
        QStringLiteral("File Type not supported!"),
    };
    switch (tab) {
    case 0: return &profile;
    case 1: return &polar;
    default: return nullptr;
    }
}

QString FileTypeOf(const QString& path)
{
    return path.right(3).toLower();
}

} // namespace tarvex
