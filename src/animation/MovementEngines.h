#pragma once

#include "animation/clsMovimento.h"

#include <QObject>

#include <memory>
#include <vector>

namespace vantrel {

class StratDocument;

// The engines of a strat window, one per movement (movement m at m). They
// follow the document: a way point added, moved, edited or cut reaches the
// engine as the matching call (Adiciona, EditaXY, EditaMov, ApagaMovimento),
// so playback state is kept wherever the edit allows.
class MovementEngines : public QObject
{
    Q_OBJECT

public:
    // `keepCountingFrames` is the application's KCFrames flag (may be null).
    MovementEngines(const StratDocument &document, const bool *keepCountingFrames,
                    QObject *parent = nullptr);
    ~MovementEngines() override;

    // The engine of movement m, or null when it has none yet.
    clsMovimento *engine(int m) const;
    int count() const { return int(m_engines.size()) - 1; }

private:
    void sync(int m);
    void rebuild();

    const StratDocument &m_document;
    const bool *m_keepCounting;
    std::vector<std::unique_ptr<clsMovimento>> m_engines{1};
};

} // namespace vantrel
