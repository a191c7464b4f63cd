#include "i18n/TipsFile.h"

#include "fileio/RegularFile.h"
#include "strat/Ansi.h"

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

FileResult read(const QString &path, QStringList &tips)
{
    tips.clear();
    QByteArray bytes;
    const FileResult file = readRegularFile(path, kMaxSize, bytes);
    if (file)
        tips = parse(bytes);
    return file;
}

int pick(int count, double r)
{
    return qBound(1, int(r * count) + 1, count);
}

} // namespace vantrel::TipsFile
