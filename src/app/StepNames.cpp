#include "app/StepNames.h"

#include "i18n/LanguagePack.h"

namespace vantrel {

namespace {

struct StepId
{
    const char *english;
    const char *id;
};

// The remove steps share their ids with the titles of their confirmations.
constexpr StepId kSteps[] = {
    {"Place Object", "s0025"},   {"Move Object", "s0026"},     {"Remove Object", "s0018"},
    {"Insert Text", "s0027"},    {"Edit Text", "s0028"},       {"Move Text", "s0029"},
    {"Remove Text", "s0020"},    {"Add Way Point", "s0030"},   {"Move Way Point", "s0031"},
    {"Edit Way Point", "s0032"}, {"Remove Movement", "s0016"}, {"Line Color", "s0033"},
    {"Add Link", "s0034"},       {"Edit Link", "s0035"},       {"Remove Link", "s0036"},
    {"Rename Strat", "s0037"},   {"Change Overview", "s0038"}, {"Add Drawing", "s0072"},
    {"Change Drawing", "s0073"}, {"Remove Drawing", "s0074"},
};

} // namespace

QString translatedStepName(const clsLanguagePack &language, const QString &english)
{
    for (const StepId &step : kSteps) {
        if (english == QLatin1String(step.english))
            return language.text(QLatin1String(step.id), english);
    }
    return english;
}

} // namespace vantrel
