// Scrubbing: a jump to any frame replays the engines from a stop on bare
// sprites (FrameReplay) and then shows the result once, so a jump costs the
// engines' arithmetic only, not a scene update per step.
#include "animation/FrameReplay.h"
#include "editor/StratSurface.h"
#include "editor/frmMapa.h"

#include <QLabel>

#include <algorithm>

namespace vantrel {

void frmMapa::startSprites(std::vector<GridSprite> &sprites,
                           std::vector<GridSprite *> &pointers) const
{
    const int objects = strat().Objects.count();
    sprites.assign(size_t(objects) + 1, GridSprite());
    pointers.assign(size_t(objects) + 1, nullptr);
    for (int i = 1; i <= objects; ++i) {
        if (!m_surface->imgObj(i))
            continue;
        const StratObject &object = strat().Objects[i];
        sprites[size_t(i)] = GridSprite(object.Left, object.Top, !hiddenAtStart(i));
        pointers[size_t(i)] = &sprites[size_t(i)];
    }
}

void frmMapa::seekFrame(int32_t frame)
{
    if (bGravando())
        return;
    frame = std::max(frame, 0);
    if (!isRunning()) {
        picGO_Click();
        picPause_Click();
    }

    std::vector<GridSprite> sprites;
    std::vector<GridSprite *> pointers;
    startSprites(sprites, pointers);
    std::vector<clsMovimento *> engines;
    for (int m = 1; m <= m_engines.count(); ++m) {
        clsMovimento *engine = m_engines.engine(m);
        if (engine)
            engine->Reseta();
        engines.push_back(engine);
    }
    FrameReplay(std::move(engines), std::move(pointers)).run(frame);

    for (size_t i = 1; i < sprites.size(); ++i) {
        if (ObjectItem *item = m_surface->imgObj(int(i))) {
            item->setPosition(sprites[i].left(), sprites[i].top());
            item->setShown(sprites[i].isShown());
        }
    }
    m_lQuadro = frame;
    m_lblFrame->setText(QString::number(frame));
    // The clock shows the time those frames take at the normal pace.
    m_iSegundos = int16_t(std::min<int32_t>(frame / FrameTimer::FramesPerSecond, INT16_MAX));
    m_lblSegs->setText(clockText(m_iSegundos));
    Q_EMIT frameChanged(frame);
}

int32_t frmMapa::restingFrame() const
{
    std::vector<GridSprite> sprites;
    std::vector<GridSprite *> pointers;
    startSprites(sprites, pointers);
    // Copies, so the window's own engines keep their place.
    std::vector<clsMovimento> copies;
    for (int m = 1; m <= m_engines.count(); ++m)
        if (const clsMovimento *engine = m_engines.engine(m))
            copies.push_back(*engine);
    std::vector<clsMovimento *> engines;
    for (clsMovimento &copy : copies) {
        copy.Reseta();
        engines.push_back(&copy);
    }
    return FrameReplay(std::move(engines), std::move(pointers)).runToRest(kMaxScrubFrames);
}

} // namespace vantrel
