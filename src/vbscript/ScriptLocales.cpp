// The regional settings of the locales SetLocale knows, as Windows sets them up for each.
#include "vbscript/ScriptLocale.h"

#include <cctype>

#include "vbscript/Conversion.h"

namespace chartorium::vbscript {

namespace {

using MonthTexts = std::array<std::string_view, 12>;
using WeekdayTexts = std::array<std::string_view, 7>;

struct CalendarTexts {
  MonthTexts Months;
  MonthTexts MonthAbbreviations;
  WeekdayTexts Weekdays;
  WeekdayTexts WeekdayAbbreviations;
};

constexpr CalendarTexts English = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}};

constexpr CalendarTexts French = {
    {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre",
     "octobre", "novembre", "décembre"},
    {"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.",
     "déc."},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."}};

constexpr CalendarTexts German = {
    {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"}};

constexpr CalendarTexts Italian = {
    {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto", "settembre",
     "ottobre", "novembre", "dicembre"},
    {"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"},
    {"domenica", "lunedì", "martedì", "mercoledì", "giovedì", "venerdì", "sabato"},
    {"dom", "lun", "mar", "mer", "gio", "ven", "sab"}};

constexpr CalendarTexts Spanish = {
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
     "octubre", "noviembre", "diciembre"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
    {"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"},
    {"dom", "lun", "mar", "mié", "jue", "vie", "sáb"}};

constexpr CalendarTexts Dutch = {
    {"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september",
     "oktober", "november", "december"},
    {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
    {"zondag", "maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag"},
    {"zo", "ma", "di", "wo", "do", "vr", "za"}};

constexpr CalendarTexts Portuguese = {
    {"janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho", "agosto", "setembro",
     "outubro", "novembro", "dezembro"},
    {"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"},
    {"domingo", "segunda-feira", "terça-feira", "quarta-feira", "quinta-feira", "sexta-feira",
     "sábado"},
    {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"}};

constexpr CalendarTexts Swedish = {
    {"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti", "september",
     "oktober", "november", "december"},
    {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
    {"söndag", "måndag", "tisdag", "onsdag", "torsdag", "fredag", "lördag"},
    {"sön", "mån", "tis", "ons", "tor", "fre", "lör"}};

// French and Swedish group digits with a no-break space.
constexpr std::string_view NoBreakSpace = "\xC2\xA0";

struct LocaleData {
  int Lcid;
  std::string_view Name;
  char DecimalSeparator;
  std::string_view ThousandsSeparator;
  char DateSeparator;
  DateOrder Order;
  bool TwoDigitDayMonth;
  std::string_view LongDatePattern;
  bool TwelveHourClock;
  bool TwoDigitHour;
  std::string_view CurrencySymbol;
  bool CurrencySymbolFirst;
  bool CurrencySymbolSpaced;
  NegativeCurrency NegativeCurrencyLayout;
  std::string_view TrueText;
  std::string_view FalseText;
  const CalendarTexts& Calendar;
};

constexpr DateOrder Mdy = DateOrder::MonthDayYear;
constexpr DateOrder Dmy = DateOrder::DayMonthYear;
constexpr DateOrder Ymd = DateOrder::YearMonthDay;
constexpr NegativeCurrency Parens = NegativeCurrency::Parentheses;
constexpr NegativeCurrency MinusFirst = NegativeCurrency::MinusFirst;
constexpr NegativeCurrency MinusAfterSymbol = NegativeCurrency::MinusAfterSymbol;

constexpr LocaleData Locales[] = {
    {1033, "en-us", '.', ",", '/', Mdy, false, "dddd, MMMM dd, yyyy", true, false, "$", true, false,
     Parens, "True", "False", English},
    {2057, "en-gb", '.', ",", '/', Dmy, true, "dd MMMM yyyy", false, true, "£", true, false,
     MinusFirst, "True", "False", English},
    {1036, "fr-fr", ',', NoBreakSpace, '/', Dmy, true, "dddd d MMMM yyyy", false, true, "€", false,
     true, MinusFirst, "Vrai", "Faux", French},
    {1031, "de-de", ',', ".", '.', Dmy, true, "dddd, d. MMMM yyyy", false, true, "€", false, true,
     MinusFirst, "Wahr", "Falsch", German},
    {2055, "de-ch", '.', "'", '.', Dmy, true, "dddd, d. MMMM yyyy", false, true, "CHF", true, true,
     MinusAfterSymbol, "Wahr", "Falsch", German},
    {1040, "it-it", ',', ".", '/', Dmy, true, "dddd d MMMM yyyy", false, true, "€", false, true,
     MinusFirst, "Vero", "Falso", Italian},
    {3082, "es-es", ',', ".", '/', Dmy, true, "dddd, d' de 'MMMM' de 'yyyy", false, false, "€",
     false, true, MinusFirst, "Verdadero", "Falso", Spanish},
    {1043, "nl-nl", ',', ".", '-', Dmy, false, "dddd d MMMM yyyy", false, true, "€", true, true,
     MinusAfterSymbol, "Waar", "Onwaar", Dutch},
    {1046, "pt-br", ',', ".", '/', Dmy, true, "dddd, d' de 'MMMM' de 'yyyy", false, true, "R$",
     true, true, MinusFirst, "Verdadeiro", "Falso", Portuguese},
    {1053, "sv-se", ',', NoBreakSpace, '-', Ymd, true, "'den 'd MMMM yyyy", false, true, "kr",
     false, true, MinusFirst, "Sant", "Falskt", Swedish},
};

template <size_t N>
std::array<std::string, N> Texts(const std::array<std::string_view, N>& views) {
  std::array<std::string, N> texts;
  for (size_t i = 0; i < N; ++i) texts[i] = std::string(views[i]);
  return texts;
}

ScriptLocale MakeLocale(const LocaleData& d) {
  ScriptLocale locale;
  locale.Lcid = d.Lcid;
  locale.DecimalSeparator = d.DecimalSeparator;
  locale.ThousandsSeparator = std::string(d.ThousandsSeparator);
  locale.DateSeparator = d.DateSeparator;
  locale.Order = d.Order;
  locale.TwoDigitDayMonth = d.TwoDigitDayMonth;
  locale.LongDatePattern = std::string(d.LongDatePattern);
  locale.TwelveHourClock = d.TwelveHourClock;
  locale.TwoDigitHour = d.TwoDigitHour;
  locale.CurrencySymbol = std::string(d.CurrencySymbol);
  locale.CurrencySymbolFirst = d.CurrencySymbolFirst;
  locale.CurrencySymbolSpaced = d.CurrencySymbolSpaced;
  locale.NegativeCurrencyLayout = d.NegativeCurrencyLayout;
  locale.TrueText = std::string(d.TrueText);
  locale.FalseText = std::string(d.FalseText);
  locale.MonthNames = Texts(d.Calendar.Months);
  locale.MonthAbbreviations = Texts(d.Calendar.MonthAbbreviations);
  locale.WeekdayNames = Texts(d.Calendar.Weekdays);
  locale.WeekdayAbbreviations = Texts(d.Calendar.WeekdayAbbreviations);
  return locale;
}

}  // namespace

std::optional<ScriptLocale> FindScriptLocale(int lcid) {
  for (const LocaleData& d : Locales)
    if (d.Lcid == lcid) return MakeLocale(d);
  return std::nullopt;
}

std::optional<ScriptLocale> FindScriptLocale(std::string_view name) {
  for (const LocaleData& d : Locales)
    if (EqualsNoCase(d.Name, name)) return MakeLocale(d);
  return std::nullopt;
}

}  // namespace chartorium::vbscript
