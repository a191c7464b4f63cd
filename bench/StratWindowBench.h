#pragma once

// A strat window as the program shows it, for the benchmarks that time the
// window itself: the program's palette, slot 1, shown and loaded with a strat.

#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "strat/PaletteIcons.h"
#include "uiservice/SilentUi.h"

#include <QApplication>
#include <QPixmap>

namespace vantrel::bench {

struct StratWindowFixture
{
    explicit StratWindowFixture(const Strat &strat)
        : ws(ui)
    {
        for (int i = 0; i < PaletteIcons::Count; ++i)
            ws.palette[size_t(i)] = QPixmap::fromImage(PaletteIcons::image(i));
        window.iMI = 1;
        window.show();
        window.document().load(strat);
        QApplication::processEvents();
    }
    SilentUi ui;
    Workspace ws;
    frmMapa window{ws};
};

} // namespace vantrel::bench
