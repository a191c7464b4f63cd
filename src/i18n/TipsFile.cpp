#include "i18n/TipsFile.h"

#include "strat/Ansi.h"
#include "strat/FileBytes.h"

#include <QFile>

namespace vantrel::TipsFile {

QStringList parse(const QByteArray &bytes)
{
    QStringList tips;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        tips.append(Ansi::decode(bytes.constData() + start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        tips.append(Ansi::decode(bytes.constData() + start, bytes.size() - start));
    return tips;
}

bool read(const QString &path, QStringList &tips)
{
    tips.clear();
    if (path.isEmpty())
        return false;
    constexpr qint64 kMaxTipsSize = 4 * 1024 * 1024;
    const FileBytes file = readFileBytes(path, kMaxTipsSize);
    if (!file.ok)
        return false;
    tips = parse(file.bytes);
    return true;
}

int pick(int count, double r)
{
    return qBound(1, int(r * count) + 1, count);
}

} // namespace vantrel::TipsFile
