#include "export/FrameRecorder.h"

#include "export/BmpFile.h"
#include "export/FrameFolder.h"
#include "export/cDIBSection.h"
#include "fileio/SafeFile.h"

namespace vantrel {

void FrameRecorder::start()
{
    FrameFolder::ensureExists();
    FrameFolder::empty();
    m_lCaptura = 0;
    m_lProxCaptura = 1;
    m_sArqQuadro.clear();
    m_bGravando = true;
}

void FrameRecorder::stop()
{
    m_bGravando = false;
    m_lProxCaptura = 1;
}

FileResult FrameRecorder::frameTick(int32_t lQuadro, const Capture &capture)
{
    if (!m_bGravando || lQuadro != m_lProxCaptura)
        return FileResult::success();
    m_lProxCaptura += m_fullMotion ? 1 : kFrameStep;
    ++m_lCaptura;
    m_sArqQuadro = FrameFolder::framePath(m_lCaptura);
    cDIBSection dib;
    if (!dib.CreateFromPicture(capture ? capture() : QImage()))
        return FileResult::failure(
            fileError(m_sArqQuadro, QStringLiteral("the window could not be captured")));
    return BmpFile::write(m_sArqQuadro, dib);
}

} // namespace vantrel
