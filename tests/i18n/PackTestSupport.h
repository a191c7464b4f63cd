#pragma once

#include "i18n/PackFile.h"

namespace vantrel::test {

// A small pack with one window of two controls and the given strings.
inline PackData samplePack(QList<PackString> strings
                           = {{QStringLiteral("s0006"), QStringLiteral("PARAR")}})
{
    PackData p;
    p.headerA = PackFile::defaultHeaderA();
    p.headerB = PackFile::defaultHeaderB();
    PackWindow w;
    w.name = QStringLiteral("frmMov");
    w.caption = QStringLiteral("Movimento");
    w.controls = {{{},
                   QStringLiteral("cmdOK"),
                   QStringLiteral("Confirmar"),
                   QStringLiteral("Grava"),
                   {},
                   {},
                   0},
                  {{}, QStringLiteral("optVel(2)"), QStringLiteral("Granada"), {}, {}, {}, 0}};
    p.windows = {w};
    p.strings = std::move(strings);
    return p;
}

} // namespace vantrel::test
