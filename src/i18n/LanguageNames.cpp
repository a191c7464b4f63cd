#include "i18n/LanguageNames.h"

namespace vantrel::LanguageNames {

namespace {

struct Row
{
    int id;
    const char *name;
    // The locale, as language[_Script]_Territory, that stands for this row.
    const char *locale;
};

// The 134 language identifiers with their names, in identifier order.
constexpr Row kRows[] = {
    {1025, "Arabic (Saudi Arabia)", "ar_SA"},
    {1026, "Bulgarian", "bg_BG"},
    {1027, "Catalan", "ca_ES"},
    {1028, "Chinese (Taiwan)", "zh_TW"},
    {1029, "Czech", "cs_CZ"},
    {1030, "Danish", "da_DK"},
    {1031, "German (Germany)", "de_DE"},
    {1032, "Greek", "el_GR"},
    {1033, "English (United States)", "en_US"},
    {1034, "Spanish (Traditional Sort)", "es_ES_tradnl"},
    {1035, "Finnish", "fi_FI"},
    {1036, "French (France)", "fr_FR"},
    {1037, "Hebrew", "he_IL"},
    {1038, "Hungarian", "hu_HU"},
    {1039, "Icelandic", "is_IS"},
    {1040, "Italian (Italy)", "it_IT"},
    {1041, "Japanese", "ja_JP"},
    {1042, "Korean", "ko_KR"},
    {1043, "Dutch (Netherlands)", "nl_NL"},
    {1044, "Norwegian (Bokmal)", "nb_NO"},
    {1045, "Polish", "pl_PL"},
    {1046, "Portuguese (Brazil)", "pt_BR"},
    {1048, "Romanian", "ro_RO"},
    {1049, "Russian", "ru_RU"},
    {1050, "Croatian", "hr_HR"},
    {1051, "Slovak", "sk_SK"},
    {1052, "Albanian", "sq_AL"},
    {1053, "Swedish", "sv_SE"},
    {1054, "Thai", "th_TH"},
    {1055, "Turkish", "tr_TR"},
    {1056, "Urdu", "ur_PK"},
    {1057, "Indonesian", "id_ID"},
    {1058, "Ukrainian", "uk_UA"},
    {1059, "Belarusian", "be_BY"},
    {1060, "Slovenian", "sl_SI"},
    {1061, "Estonian", "et_EE"},
    {1062, "Latvian", "lv_LV"},
    {1063, "Lithuanian", "lt_LT"},
    {1065, "Farsi", "fa_IR"},
    {1066, "Vietnamese", "vi_VN"},
    {1067, "Armenian", "hy_AM"},
    {1068, "Azeri (Latin)", "az_AZ"},
    {1069, "Basque", "eu_ES"},
    {1071, "FYRO Macedonian", "mk_MK"},
    {1078, "Afrikaans", "af_ZA"},
    {1079, "Georgian", "ka_GE"},
    {1080, "Faroese", "fo_FO"},
    {1081, "Hindi", "hi_IN"},
    {1086, "Malay (Malaysia)", "ms_MY"},
    {1087, "Kazakh", "kk_KZ"},
    {1088, "Kyrgyz (Cyrillic)", "ky_KG"},
    {1089, "Swahili", "sw_KE"},
    {1091, "Uzbek (Latin)", "uz_UZ"},
    {1092, "Tatar", "tt_RU"},
    {1094, "Punjabi", "pa_IN"},
    {1095, "Gujarati", "gu_IN"},
    {1097, "Tamil", "ta_IN"},
    {1098, "Telugu", "te_IN"},
    {1099, "Kannada", "kn_IN"},
    {1102, "Marathi", "mr_IN"},
    {1103, "Sanskrit", "sa_IN"},
    {1104, "Mongolian (Cyrillic)", "mn_MN"},
    {1110, "Galician", "gl_ES"},
    {1111, "Konkani", "kok_IN"},
    {1114, "Syriac", "syr_SY"},
    {1125, "Divehi", "dv_MV"},
    {2049, "Arabic (Iraq)", "ar_IQ"},
    {2052, "Chinese (PRC)", "zh_CN"},
    {2055, "German (Switzerland)", "de_CH"},
    {2057, "English (United Kingdom)", "en_GB"},
    {2058, "Spanish (Mexico)", "es_MX"},
    {2060, "French (Belgium)", "fr_BE"},
    {2064, "Italian (Switzerland)", "it_CH"},
    {2067, "Dutch (Belgium)", "nl_BE"},
    {2068, "Norwegian (Nynorsk)", "nn_NO"},
    {2070, "Portuguese (Portugal)", "pt_PT"},
    {2074, "Serbian (Latin)", "sr_Latn_RS"},
    {2077, "Swedish (Finland)", "sv_FI"},
    {2092, "Azeri (Cyrillic)", "az_Cyrl_AZ"},
    {2110, "Malay (Brunei Darussalam)", "ms_BN"},
    {2115, "Uzbek (Cyrillic)", "uz_Cyrl_UZ"},
    {3073, "Arabic (Egypt)", "ar_EG"},
    {3076, "Chinese (Hong Kong S.A.R.)", "zh_HK"},
    {3079, "German (Austria)", "de_AT"},
    {3081, "English (Australia)", "en_AU"},
    {3082, "Spanish (International Sort)", "es_ES"},
    {3084, "French (Canada)", "fr_CA"},
    {3098, "Serbian (Cyrillic)", "sr_RS"},
    {4097, "Arabic (Libya)", "ar_LY"},
    {4100, "Chinese (Singapore)", "zh_SG"},
    {4103, "German (Luxembourg)", "de_LU"},
    {4105, "English (Canada)", "en_CA"},
    {4106, "Spanish (Guatemala)", "es_GT"},
    {4108, "French (Switzerland)", "fr_CH"},
    {5121, "Arabic (Algeria)", "ar_DZ"},
    {5124, "Chinese (Macau S.A.R.)", "zh_MO"},
    {5127, "German (Liechtenstein)", "de_LI"},
    {5129, "English (New Zealand)", "en_NZ"},
    {5130, "Spanish (Costa Rica)", "es_CR"},
    {5132, "French (Luxembourg)", "fr_LU"},
    {6145, "Arabic (Morocco)", "ar_MA"},
    {6153, "English (Ireland)", "en_IE"},
    {6154, "Spanish (Panama)", "es_PA"},
    {6156, "French (Monaco)", "fr_MC"},
    {7169, "Arabic (Tunisia)", "ar_TN"},
    {7177, "English (South Africa)", "en_ZA"},
    {7178, "Spanish (Dominican Republic)", "es_DO"},
    {8193, "Arabic (Oman)", "ar_OM"},
    {8201, "English (Jamaica)", "en_JM"},
    {8202, "Spanish (Venezuela)", "es_VE"},
    {9217, "Arabic (Yemen)", "ar_YE"},
    {9225, "English (Caribbean)", "en_029"},
    {9226, "Spanish (Colombia)", "es_CO"},
    {10241, "Arabic (Syria)", "ar_SY"},
    {10249, "English (Belize)", "en_BZ"},
    {10250, "Spanish (Peru)", "es_PE"},
    {11265, "Arabic (Jordan)", "ar_JO"},
    {11273, "English (Trinidad)", "en_TT"},
    {11274, "Spanish (Argentina)", "es_AR"},
    {12289, "Arabic (Lebanon)", "ar_LB"},
    {12297, "English (Zimbabwe)", "en_ZW"},
    {12298, "Spanish (Ecuador)", "es_EC"},
    {13313, "Arabic (Kuwait)", "ar_KW"},
    {13321, "English (Philippines)", "en_PH"},
    {13322, "Spanish (Chile)", "es_CL"},
    {14337, "Arabic (U.A.E.)", "ar_AE"},
    {14346, "Spanish (Uruguay)", "es_UY"},
    {15361, "Arabic (Bahrain)", "ar_BH"},
    {15370, "Spanish (Paraguay)", "es_PY"},
    {16385, "Arabic (Qatar)", "ar_QA"},
    {16394, "Spanish (Bolivia)", "es_BO"},
    {17418, "Spanish (El Salvador)", "es_SV"},
    {18442, "Spanish (Honduras)", "es_HN"},
    {19466, "Spanish (Nicaragua)", "es_NI"},
};

QString key(const QString &language, const QString &script, const QString &territory)
{
    QString k = language;
    if (!script.isEmpty())
        k += QLatin1Char('_') + script;
    if (!territory.isEmpty())
        k += QLatin1Char('_') + territory;
    return k;
}

} // namespace

int languageId(const QLocale &locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    const QString script = QLocale::scriptToCode(locale.script());
    const QString territory = QLocale::territoryToCode(locale.territory());
    // Most specific first: with the script (sr_Latn_RS), without it (pt_BR).
    for (const QString &k : {key(language, script, territory), key(language, {}, territory)}) {
        for (const Row &row : kRows) {
            if (k == QLatin1String(row.locale))
                return row.id;
        }
    }
    const QString prefix = language + QLatin1Char('_');
    for (const Row &row : kRows) {
        if (QLatin1String(row.locale).startsWith(prefix))
            return row.id;
    }
    return 0;
}

QString languageName(int id)
{
    for (const Row &row : kRows) {
        if (row.id == id)
            return QString::fromLatin1(row.name);
    }
    return QStringLiteral("Unknown");
}

QString fileStem(const QString &fullName)
{
    const qsizetype blank = fullName.indexOf(QLatin1Char(' '));
    return blank < 0 ? fullName : fullName.left(blank);
}

QString stemForLocale(const QLocale &locale)
{
    return fileStem(languageName(languageId(locale)));
}

} // namespace vantrel::LanguageNames
