// Video recording on the strat window: while recording, every ninth frame is
// captured into the frame folder at the end of the frame tick.
#include "editor/frmMapa.h"

namespace vantrel {

void frmMapa::recordingHook()
{
    // A frame that cannot be written is not reported here: the video writer
    // meets the missing file and stands the previous frame in for it.
    if (m_recorder.bGravando())
        m_recorder.frameTick(m_lQuadro, [this] { return capture(); });
}

} // namespace vantrel
