#include "gui/file_filter.h"

#include <QRegularExpression>
#include <QString>

namespace roamer::gui {

QStringList QtNameFilters(std::string_view windowsFilter) {
    const QString text = QString::fromUtf8(windowsFilter.data(),
                                           static_cast<qsizetype>(windowsFilter.size()));
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        if (name.isEmpty()) break;  // the "||" that ends the list
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        // The name's own pattern list, if it shows one, is replaced by Qt's.
        name.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        if (name.isEmpty()) name = patterns.join(QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    if (filters.isEmpty()) filters << QStringLiteral("* (*)");
    return filters;
}

}  // namespace roamer::gui
