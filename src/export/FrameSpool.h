#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryFile>

namespace vantrel {

// Frames kept on disk until every one has been seen, as an animated GIF's
// palette needs. Only the rectangle that changed since the previous frame is
// stored, so a strat whose icons move over a still overview costs little.
class FrameSpool
{
public:
    bool open();
    QString errorString() const { return m_file.errorString(); }

    // Appends `frame` (Format_RGB32, every frame the same size) and tells
    // which rectangle changed: the whole frame first, empty when nothing did.
    bool append(const QImage &frame, QRect *changed);
    int count() const { return m_count; }

    // Reads the frames back in order: rewind(), then next() once per frame,
    // which updates `frame` in place.
    bool rewind();
    bool next(QImage &frame);

private:
    QTemporaryFile m_file;
    QImage m_last;
    int m_count = 0;
};

} // namespace vantrel
