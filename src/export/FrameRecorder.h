#pragma once

#include "fileio/FileResult.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

namespace vantrel {

// The recording state of one strat window: while recording, every ninth
// frame (1, 10, 19, ...) is captured into video/NNNN.bmp, so frame file k
// holds frame 9k - 8; in full motion every frame, frame file k frame k. The window starts and stops
// it and calls frameTick() at the end of every frame tick, after its frame counter has advanced.
class FrameRecorder
{
public:
    // Produces the picture of the window at this moment.
    using Capture = std::function<QImage()>;

    // Starts a recording: creates and empties the frame folder, no frames yet.
    void start();
    // Full motion captures every frame instead of every ninth; chosen before
    // start() and kept until changed.
    void setFullMotion(bool on) { m_fullMotion = on; }
    bool fullMotion() const { return m_fullMotion; }
    // Frames a second of the recording as it plays back: 64 in full motion,
    // else 11 (every ninth of 64, rounded as the AVI has it).
    int capturedRate() const { return m_fullMotion ? kFullMotionRate : kRecordingRate; }
    // Ends it; the frames stay for the AVI writer.
    void stop();

    // The end of a frame tick at frame `lQuadro`. Captures and writes a frame
    // file when this frame is due; returns that write's result, or a success
    // with nothing done when no frame was due. A failed write is not retried:
    // the count advances, so the video writer meets the missing file later.
    FileResult frameTick(int32_t lQuadro, const Capture &capture);

    bool bGravando() const { return m_bGravando; }
    int32_t lProxCaptura() const { return m_lProxCaptura; }
    int32_t lCaptura() const { return m_lCaptura; }
    const QString &sArqQuadro() const { return m_sArqQuadro; }

    static constexpr int32_t kFrameStep = 9;
    static constexpr int kRecordingRate = 11;
    static constexpr int kFullMotionRate = 64;

private:
    bool m_bGravando = false;
    bool m_fullMotion = false;
    int32_t m_lProxCaptura = 1;
    int32_t m_lCaptura = 0;
    QString m_sArqQuadro;
};

} // namespace vantrel
