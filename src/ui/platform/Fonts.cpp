#include "platform/Fonts.h"

#include <QFont>
#include <QStringList>

namespace tarvex {

void UseMetricTwinFonts()
{
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("Courier New"),
                                   {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
        return true;
    }();
    (void)done;
}

} // namespace tarvex
