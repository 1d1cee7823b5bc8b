// Dates and times of the run-time library: TDateTime arithmetic and
// FormatDateTime.
#include <chrono>
#include <cmath>
#include <ctime>

#include "vcl/DateUtils.h"
#include "vcl/SysUtils.h"

namespace vcl {

namespace {

constexpr int kDateDelta = 693594;  // days from 0001-01-01 to 1899-12-30
constexpr int64_t kMSecsPerDay = 86400000;

const uint16_t kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Whole days of the date (counting from 0001-01-01 as day 1) and the
// milliseconds of its time. The time of a date before 1899-12-30 counts
// forward from its midnight, as the platform stores it.
void SplitDateTime(TDateTime DT, int64_t& Days, int64_t& MSecs) {
    double whole = std::trunc(DT);
    Days = kDateDelta + static_cast<int64_t>(whole);
    MSecs = static_cast<int64_t>(std::nearbyint(std::fabs(DT - whole) * kMSecsPerDay));
    if (MSecs >= kMSecsPerDay) MSecs = kMSecsPerDay - 1;
}

}  // namespace

bool IsLeapYear(uint16_t Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

uint16_t DaysInAMonth(uint16_t Year, uint16_t Month) {
    if (Month < 1 || Month > 12) return 0;
    return kMonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1];
}

bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInAMonth(Year, Month))
        return false;
    int days = Day;
    for (int m = 1; m < Month; ++m) days += DaysInAMonth(Year, static_cast<uint16_t>(m));
    int y = Year - 1;
    Date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta);
    return true;
}

TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day) {
    TDateTime d;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
    int64_t t, ms;
    SplitDateTime(Date, t, ms);
    if (t <= 0 || t > 3652059) {
        Year = Month = Day = 0;
        return;
    }
    --t;
    int64_t y = 1;
    while (t >= 146097) {
        t -= 146097;
        y += 400;
    }
    int64_t i = t / 36524, d = t % 36524;
    if (i == 4) {
        --i;
        d += 36524;
    }
    y += i * 100;
    i = d / 1461;
    d %= 1461;
    y += i * 4;
    i = d / 365;
    d %= 365;
    if (i == 4) {
        --i;
        d += 365;
    }
    y += i;
    uint16_t month = 1;
    const uint16_t* table = kMonthDays[IsLeapYear(static_cast<uint16_t>(y)) ? 1 : 0];
    while (d >= table[month - 1]) {
        d -= table[month - 1];
        ++month;
    }
    Year = static_cast<uint16_t>(y);
    Month = month;
    Day = static_cast<uint16_t>(d + 1);
}

bool TryEncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec, TDateTime& Time) {
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
    int64_t ms = ((Hour * 60 + Min) * 60 + Sec) * int64_t{1000} + MSec;
    Time = static_cast<double>(ms) / kMSecsPerDay;
    return true;
}

TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec) {
    TDateTime t;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
        throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
    int64_t d, ms;
    SplitDateTime(Time, d, ms);
    Hour = static_cast<uint16_t>(ms / 3600000);
    Min = static_cast<uint16_t>(ms / 60000 % 60);
    Sec = static_cast<uint16_t>(ms / 1000 % 60);
    MSec = static_cast<uint16_t>(ms % 1000);
}

int DayOfWeek(TDateTime Date) {
    int64_t d, ms;
    SplitDateTime(Date, d, ms);
    // Day 1 (0001-01-01) was a Monday.
    int64_t r = d % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    int64_t total = int64_t{y} * 12 + (m - 1) + NumberOfMonths;
    int64_t ny = total / 12;
    auto nm = static_cast<uint16_t>(total % 12 + 1);
    if (ny < 1 || ny > 9999) throw EConvertError("Invalid argument to date encode");
    uint16_t days = DaysInAMonth(static_cast<uint16_t>(ny), nm);
    if (d > days) d = days;
    TDateTime base = EncodeDate(static_cast<uint16_t>(ny), nm, d);
    double frac = std::fabs(Date - std::trunc(Date));
    return base >= 0 ? base + frac : base - frac;
}

TDateTime Now() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm lt{};
    localtime_r(&t, &lt);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<uint16_t>(lt.tm_year + 1900),
                      static_cast<uint16_t>(lt.tm_mon + 1), static_cast<uint16_t>(lt.tm_mday)) +
           EncodeTime(static_cast<uint16_t>(lt.tm_hour), static_cast<uint16_t>(lt.tm_min),
                      static_cast<uint16_t>(std::min(lt.tm_sec, 59)), static_cast<uint16_t>(ms));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
    TDateTime n = Now();
    return n - std::trunc(n);
}

// ---------------------------------------------------------------- FormatDateTime

namespace {

std::string Pad2(int V) { return V < 10 ? "0" + std::to_string(V) : std::to_string(V); }

std::string PadN(int V, size_t N) {
    std::string s = std::to_string(V);
    if (s.size() < N) s.insert(0, N - s.size(), '0');
    return s;
}

bool StartsNoCase(const std::string& S, size_t I, const char* P) {
    for (size_t k = 0; P[k]; ++k) {
        if (I + k >= S.size()) return false;
        if (std::tolower(static_cast<unsigned char>(S[I + k])) != P[k]) return false;
    }
    return true;
}

bool HasAmPm(const std::string& F) {
    for (size_t i = 0; i < F.size(); ++i) {
        char c = F[i];
        if (c == '\'' || c == '"') {
            size_t j = F.find(c, i + 1);
            if (j == std::string::npos) return false;
            i = j;
            continue;
        }
        if (StartsNoCase(F, i, "am/pm") || StartsNoCase(F, i, "a/p") || StartsNoCase(F, i, "ampm"))
            return true;
    }
    return false;
}

void AppendFormatted(std::string& Out, const std::string& F, TDateTime DT, const TFormatSettings& S,
                     int Depth) {
    if (Depth > 2) return;
    uint16_t year, month, day, hour, minute, sec, msec;
    DecodeDate(DT, year, month, day);
    DecodeTime(DT, hour, minute, sec, msec);
    bool twelve = HasAmPm(F);
    bool lastWasHour = false;
    size_t i = 0, n = F.size();
    while (i < n) {
        char c = F[i];
        char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        size_t run = 1;
        while (i + run < n && std::tolower(static_cast<unsigned char>(F[i + run])) == lc) ++run;
        switch (lc) {
            case '\'':
            case '"': {
                size_t j = F.find(c, i + 1);
                if (j == std::string::npos) j = n;
                Out.append(F, i + 1, j - i - 1);
                i = j + 1;
                continue;
            }
            case 'c':
                AppendFormatted(Out, S.ShortDateFormat, DT, S, Depth + 1);
                if (DT != std::trunc(DT)) {
                    Out += ' ';
                    AppendFormatted(Out, S.LongTimeFormat, DT, S, Depth + 1);
                }
                i += 1;
                continue;
            case 'd':
                if (run == 1)
                    Out += std::to_string(day);
                else if (run == 2)
                    Out += Pad2(day);
                else if (run == 3)
                    Out += S.ShortDayNames[static_cast<size_t>(DayOfWeek(DT) - 1)];
                else if (run == 4)
                    Out += S.LongDayNames[static_cast<size_t>(DayOfWeek(DT) - 1)];
                else if (run == 5)
                    AppendFormatted(Out, S.ShortDateFormat, DT, S, Depth + 1);
                else
                    AppendFormatted(Out, S.LongDateFormat, DT, S, Depth + 1);
                run = std::min<size_t>(run, 6);
                lastWasHour = false;
                break;
            case 'm':
                run = std::min<size_t>(run, 4);
                if (lastWasHour && run <= 2) {
                    Out += run == 1 ? std::to_string(minute) : Pad2(minute);
                } else if (run == 1) {
                    Out += std::to_string(month);
                } else if (run == 2) {
                    Out += Pad2(month);
                } else if (month >= 1) {
                    Out += (run == 3 ? S.ShortMonthNames : S.LongMonthNames)[month - 1u];
                }
                lastWasHour = false;
                break;
            case 'y':
                run = std::min<size_t>(run, 4);
                Out += run <= 2 ? Pad2(year % 100) : PadN(year, 4);
                lastWasHour = false;
                break;
            case 'h': {
                run = std::min<size_t>(run, 2);
                int h = hour;
                if (twelve) {
                    h %= 12;
                    if (h == 0) h = 12;
                }
                Out += run == 1 ? std::to_string(h) : Pad2(h);
                lastWasHour = true;
                i += run;
                continue;
            }
            case 'n':
                run = std::min<size_t>(run, 2);
                Out += run == 1 ? std::to_string(minute) : Pad2(minute);
                lastWasHour = false;
                break;
            case 's':
                run = std::min<size_t>(run, 2);
                Out += run == 1 ? std::to_string(sec) : Pad2(sec);
                lastWasHour = false;
                break;
            case 'z':
                run = run >= 3 ? 3 : 1;
                Out += run == 1 ? std::to_string(msec) : PadN(msec, 3);
                lastWasHour = false;
                break;
            case 't':
                run = std::min<size_t>(run, 2);
                AppendFormatted(Out, run == 1 ? S.ShortTimeFormat : S.LongTimeFormat, DT, S,
                                Depth + 1);
                lastWasHour = false;
                break;
            case 'a':
                if (StartsNoCase(F, i, "am/pm")) {
                    // The case of the specifier's first letter picks the case.
                    bool upper = F[i] == 'A';
                    std::string t = hour < 12 ? "am" : "pm";
                    Out += upper ? UpperCase(t) : t;
                    i += 5;
                    continue;
                }
                if (StartsNoCase(F, i, "a/p")) {
                    bool upper = F[i] == 'A';
                    std::string t = hour < 12 ? "a" : "p";
                    Out += upper ? UpperCase(t) : t;
                    i += 3;
                    continue;
                }
                if (StartsNoCase(F, i, "ampm")) {
                    Out += hour < 12 ? S.TimeAMString : S.TimePMString;
                    i += 4;
                    continue;
                }
                Out += c;
                i += 1;
                continue;
            case '/':
                Out += S.DateSeparator;
                i += 1;
                continue;
            case ':':
                Out += S.TimeSeparator;
                i += 1;
                continue;
            default:
                Out += c;
                i += 1;
                continue;
        }
        i += run;
    }
}

}  // namespace

std::string FormatDateTime(const std::string& Fmt, TDateTime DateTime) {
    return FormatDateTime(Fmt, DateTime, FormatSettings);
}

std::string FormatDateTime(const std::string& Fmt, TDateTime DateTime,
                           const TFormatSettings& Settings) {
    std::string out;
    AppendFormatted(out, Fmt.empty() ? std::string("c") : Fmt, DateTime, Settings, 0);
    return out;
}

// ---------------------------------------------------------------- reading dates and times

namespace {

// Up to Max unsigned numbers separated by Sep (blanks around them allowed);
// false on anything else.
bool SplitNumbers(const std::string& S, char Sep, size_t Max, std::vector<int>& Out, size_t& End) {
    Out.clear();
    size_t i = 0, n = S.size();
    while (i < n && S[i] == ' ') ++i;
    for (;;) {
        size_t start = i;
        int v = 0;
        while (i < n && S[i] >= '0' && S[i] <= '9' && i - start < 5) v = v * 10 + (S[i++] - '0');
        if (i == start || (i < n && S[i] >= '0' && S[i] <= '9')) return false;
        Out.push_back(v);
        while (i < n && S[i] == ' ') ++i;
        if (Out.size() < Max && i < n && S[i] == Sep) {
            ++i;
            while (i < n && S[i] == ' ') ++i;
            continue;
        }
        End = i;
        return true;
    }
}

int ExpandYear(int Y, const TFormatSettings& Settings) {
    if (Y > 99) return Y;
    uint16_t cy, cm, cd;
    DecodeDate(Date(), cy, cm, cd);
    int threshold = cy - Settings.TwoDigitYearCenturyWindow;
    Y += threshold / 100 * 100;
    if (Settings.TwoDigitYearCenturyWindow > 0 && Y < threshold) Y += 100;
    return Y;
}

}  // namespace

bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
    std::vector<int> parts;
    size_t end = 0;
    if (!SplitNumbers(S, Settings.DateSeparator, 3, parts, end)) return false;
    if (end != S.size() || parts.size() < 2) return false;
    // The order of the letters d, m and y in the short date format.
    std::string order;
    for (char c : LowerCase(Settings.ShortDateFormat))
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos) order += c;
    if (order.size() != 3) order = "mdy";
    int y = -1, m = 0, d = 0;
    if (parts.size() == 2) {
        order.erase(order.find('y'), 1);
        uint16_t cy, cm, cd;
        DecodeDate(Date(), cy, cm, cd);
        y = cy;
    }
    for (size_t k = 0; k < parts.size(); ++k) {
        if (order[k] == 'd') d = parts[k];
        if (order[k] == 'm') m = parts[k];
        if (order[k] == 'y') y = ExpandYear(parts[k], Settings);
    }
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
    return TryEncodeDate(static_cast<uint16_t>(y), static_cast<uint16_t>(m),
                         static_cast<uint16_t>(d), Value);
}

TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings) {
    TDateTime v;
    if (!TryStrToDate(S, v, Settings)) throw EConvertError("'" + S + "' is not a valid date");
    return v;
}

TDateTime StrToDate(const std::string& S) { return StrToDate(S, FormatSettings); }

bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
    std::vector<int> parts;
    size_t end = 0;
    if (!SplitNumbers(S, Settings.TimeSeparator, 3, parts, end) || parts.size() < 2) return false;
    int ms = 0;
    if (parts.size() == 3 && end < S.size() && S[end] == Settings.DecimalSeparator) {
        size_t i = end + 1, start = i;
        while (i < S.size() && S[i] >= '0' && S[i] <= '9' && i - start < 3)
            ms = ms * 10 + (S[i++] - '0');
        if (i == start) return false;
        for (size_t k = i - start; k < 3; ++k) ms *= 10;
        end = i;
    }
    std::string rest = Trim(S.substr(end));
    int h = parts[0];
    if (!rest.empty()) {
        bool pm;
        if (SameText(rest, Settings.TimeAMString) || SameText(rest, "AM"))
            pm = false;
        else if (SameText(rest, Settings.TimePMString) || SameText(rest, "PM"))
            pm = true;
        else
            return false;
        if (h < 1 || h > 12) return false;
        h = h % 12 + (pm ? 12 : 0);
    }
    int sec = parts.size() == 3 ? parts[2] : 0;
    if (h > 23 || parts[1] > 59 || sec > 59) return false;
    return TryEncodeTime(static_cast<uint16_t>(h), static_cast<uint16_t>(parts[1]),
                         static_cast<uint16_t>(sec), static_cast<uint16_t>(ms), Value);
}

TDateTime StrToTime(const std::string& S) {
    TDateTime v;
    if (!TryStrToTime(S, v, FormatSettings)) throw EConvertError("'" + S + "' is not a valid time");
    return v;
}

// ---------------------------------------------------------------- DateUtils

int DayOfTheWeek(TDateTime Date) { return (DayOfWeek(Date) + 5) % 7 + 1; }

int WeekOfTheYear(TDateTime Date) {
    uint16_t y;
    return WeekOfTheYear(Date, y);
}

int WeekOfTheYear(TDateTime Date, uint16_t& YearOfWeek) {
    // The week belongs to the year of its Thursday.
    TDateTime thursday = std::trunc(Date) - DayOfTheWeek(Date) + 4;
    uint16_t y, m, d;
    DecodeDate(thursday, y, m, d);
    YearOfWeek = y;
    return static_cast<int>((thursday - EncodeDate(y, 1, 1)) / 7) + 1;
}

int WeeksInAYear(uint16_t Year) {
    uint16_t y;
    return WeekOfTheYear(EncodeDate(Year, 12, 28), y);
}

uint16_t YearOf(TDateTime Date) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    return y;
}

uint16_t MonthOf(TDateTime Date) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    return m;
}

uint16_t DayOf(TDateTime Date) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    return d;
}

TDateTime IncDay(TDateTime Date, int NumberOfDays) { return Date + NumberOfDays; }

int64_t DaysBetween(TDateTime Now, TDateTime Then) {
    return static_cast<int64_t>(std::trunc(std::fabs(Now - Then) + 1e-9));
}

bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day) {
    TDateTime d;
    return TryEncodeDate(Year, Month, Day, d);
}

TDateTime StartOfTheMonth(TDateTime Date) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    return EncodeDate(y, m, 1);
}

TDateTime EndOfTheMonth(TDateTime Date) {
    uint16_t y, m, d;
    DecodeDate(Date, y, m, d);
    return EncodeDate(y, m, DaysInAMonth(y, m)) + EncodeTime(23, 59, 59, 999);
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

}  // namespace vcl
