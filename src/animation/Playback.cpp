#include "animation/Playback.h"

#include "animation/FrameReplay.h"
#include "animation/MovingSprite.h"
#include "strat/StratDocument.h"

#include <algorithm>

namespace vantrel {

namespace {

// Bare sprites of the objects at their stored places, shown as at the start
// of a run; `pointers` by object number, null where the object has no picture.
void startSprites(const Strat &strat, PlaybackSprites &pictures, std::vector<GridSprite> &sprites,
                  std::vector<GridSprite *> &pointers)
{
    const int objects = strat.Objects.count();
    sprites.assign(size_t(objects) + 1, GridSprite());
    pointers.assign(size_t(objects) + 1, nullptr);
    for (int i = 1; i <= objects; ++i) {
        if (!pictures.sprite(i))
            continue;
        const StratObject &object = strat.Objects[i];
        sprites[size_t(i)] = GridSprite(object.Left, object.Top, !pictures.hiddenAtStart(i));
        pointers[size_t(i)] = &sprites[size_t(i)];
    }
}

} // namespace

Playback::Playback(const StratDocument &document, const bool *keepCountingFrames,
                   PlaybackSprites &sprites, QObject *parent, FrameTimer::Clock clock)
    : QObject(parent)
    , m_document(document)
    , m_sprites(sprites)
    , m_engines(document, keepCountingFrames)
    , m_timer(nullptr, std::move(clock))
{
    connect(&m_timer, &FrameTimer::frame, this, &Playback::step);
}

Playback::~Playback() = default;

void Playback::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void Playback::setFrame(int32_t frame)
{
    const int before = seconds();
    m_frame = frame;
    Q_EMIT frameChanged(frame);
    if (seconds() != before)
        Q_EMIT secondsChanged(seconds());
}

void Playback::placeAtStart(bool hideLateOnes)
{
    const Strat &strat = m_document.strat();
    for (int i = 1; i <= strat.Objects.count(); ++i) {
        MovingSprite *sprite = m_sprites.sprite(i);
        if (!sprite)
            continue;
        if (hideLateOnes) {
            if (m_sprites.hiddenAtStart(i))
                sprite->setShown(false);
            continue;
        }
        sprite->setPosition(strat.Objects[i].Left, strat.Objects[i].Top);
        sprite->setShown(true);
    }
}

void Playback::play()
{
    if (m_state == State::Running)
        return;
    // A new run starts where every stop left it: frame 0, engines rewound.
    if (m_state == State::Stopped)
        placeAtStart(true);
    setState(State::Running);
    m_timer.start();
}

void Playback::pause()
{
    if (m_state == State::Running) {
        m_timer.stop();
        setState(State::Paused);
    } else if (m_state == State::Paused) {
        play();
    }
}

void Playback::stop()
{
    if (m_state == State::Stopped)
        return;
    m_timer.stop();
    Q_EMIT aboutToRewind();
    placeAtStart(false);
    for (int m = 1; m <= m_engines.count(); ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            engine->Reseta();
    setFrame(0);
    setState(State::Stopped);
}

void Playback::toggle()
{
    if (m_state == State::Stopped)
        play();
    else
        stop();
}

void Playback::restart()
{
    stop();
    play();
}

void Playback::step()
{
    const int movements = m_engines.count();
    for (int m = 1; m <= movements; ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            engine->Move(m_sprites.sprite(engine->iObj));
    for (int m = 1; m <= movements; ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            ++engine->lFrame;
    // The count holds at the largest it can show (a year of running).
    setFrame(m_frame < INT32_MAX ? m_frame + 1 : m_frame);
    Q_EMIT frameStepped(m_frame);
}

void Playback::seekTo(int32_t frame)
{
    frame = std::max(frame, 0);
    std::vector<GridSprite> sprites;
    std::vector<GridSprite *> pointers;
    startSprites(m_document.strat(), m_sprites, sprites, pointers);
    std::vector<clsMovimento *> engines;
    for (int m = 1; m <= m_engines.count(); ++m) {
        clsMovimento *engine = m_engines.engine(m);
        if (engine)
            engine->Reseta();
        engines.push_back(engine);
    }
    FrameReplay(std::move(engines), std::move(pointers)).run(frame);

    for (size_t i = 1; i < sprites.size(); ++i) {
        if (MovingSprite *sprite = m_sprites.sprite(int(i))) {
            sprite->setPosition(sprites[i].left(), sprites[i].top());
            sprite->setShown(sprites[i].isShown());
        }
    }
    if (m_state == State::Stopped)
        setState(State::Paused);
    setFrame(frame);
    Q_EMIT jumped(frame);
}

void Playback::setSpeed(double factor)
{
    if (factor == m_timer.speed())
        return;
    m_timer.setSpeed(factor);
    Q_EMIT speedChanged(m_timer.speed());
}

int32_t Playback::restingFrame() const
{
    std::vector<GridSprite> sprites;
    std::vector<GridSprite *> pointers;
    startSprites(m_document.strat(), m_sprites, sprites, pointers);
    // Copies, so the run's own engines keep their place.
    std::vector<clsMovimento> copies;
    for (int m = 1; m <= m_engines.count(); ++m)
        if (const clsMovimento *engine = m_engines.engine(m))
            copies.push_back(*engine);
    std::vector<clsMovimento *> engines;
    for (clsMovimento &copy : copies) {
        copy.Reseta();
        engines.push_back(&copy);
    }
    return FrameReplay(std::move(engines), std::move(pointers)).runToRest(kMaxFrames);
}

} // namespace vantrel
