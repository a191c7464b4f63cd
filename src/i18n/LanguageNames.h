#pragma once

#include <QLocale>
#include <QString>

namespace vantrel::LanguageNames {

// The Windows language identifier of a locale (1046 for pt_BR, 2070 for
// pt_PT); 0 when the table has no row for it. A territory the table lacks
// falls back to the language's first row (pt_AO gives 1046).
int languageId(const QLocale &locale);

// The full English name of an identifier ("Portuguese (Brazil)"), or
// "Unknown" for one the table lacks.
QString languageName(int id);

// The pack file stem of a full name: up to the first blank, or all of it.
QString fileStem(const QString &fullName);

// The stem for a locale: fileStem(languageName(languageId(locale))).
QString stemForLocale(const QLocale &locale);

} // namespace vantrel::LanguageNames
