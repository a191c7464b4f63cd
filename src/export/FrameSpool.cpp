#include "export/FrameSpool.h"

#include <QDir>

#include <cstring>

namespace vantrel {

namespace {

QRect changedRect(const QImage &before, const QImage &after)
{
    const int w = after.width();
    const int h = after.height();
    const size_t rowBytes = size_t(w) * 4;
    auto sameRow = [&](int y) {
        return std::memcmp(before.constScanLine(y), after.constScanLine(y), rowBytes) == 0;
    };
    int top = 0;
    while (top < h && sameRow(top))
        ++top;
    if (top == h)
        return {};
    int bottom = h - 1;
    while (sameRow(bottom))
        --bottom;
    int left = w;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(after.constScanLine(y));
        int x = 0;
        while (x < left && a[x] == b[x])
            ++x;
        left = std::min(left, x);
        x = w - 1;
        while (x > right && a[x] == b[x])
            --x;
        right = std::max(right, x);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

bool FrameSpool::open()
{
    m_file.setFileTemplate(
        QDir(QDir::tempPath()).filePath(QStringLiteral("vantrel-frames-XXXXXX")));
    m_count = 0;
    m_last = QImage();
    return m_file.open();
}

bool FrameSpool::append(const QImage &frame, QRect *changed)
{
    const QRect r = m_last.isNull() ? frame.rect() : changedRect(m_last, frame);
    const qint32 head[4] = {r.x(), r.y(), r.width(), r.height()};
    if (m_file.write(reinterpret_cast<const char *>(head), sizeof head) != qint64(sizeof head))
        return false;
    const qint64 rowBytes = qint64(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *row = reinterpret_cast<const char *>(frame.constScanLine(y)) + r.x() * 4;
        if (m_file.write(row, rowBytes) != rowBytes)
            return false;
    }
    m_last = frame;
    ++m_count;
    *changed = r;
    return true;
}

bool FrameSpool::rewind()
{
    return m_file.flush() && m_file.seek(0);
}

bool FrameSpool::next(QImage &frame)
{
    qint32 head[4];
    if (m_file.read(reinterpret_cast<char *>(head), sizeof head) != qint64(sizeof head))
        return false;
    const QRect r(head[0], head[1], head[2], head[3]);
    if (r.isEmpty())
        return true;
    if (frame.isNull() || !frame.rect().contains(r))
        return false;
    const qint64 rowBytes = qint64(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *row = reinterpret_cast<char *>(frame.scanLine(y)) + r.x() * 4;
        if (m_file.read(row, rowBytes) != rowBytes)
            return false;
    }
    return true;
}

} // namespace vantrel
