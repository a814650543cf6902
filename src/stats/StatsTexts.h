#pragma once
// The words and figures of the statistics as the screens and files write
// them: dates, times, kinds, endings, trends. The string table is Latin-1;
// the database and the files are UTF-8.

#include "stats/StatsRecords.h"

#include <string>

namespace stats {

std::string DateText(long long seconds);   // "dd/mm/yyyy", local time
std::string TimeText(long long seconds);   // "hh:mm"
// "1 h 05 min" or "12 min" of a play time.
std::string DurationText(long long ms);
const char* KindText(int kind);
const char* EndText(GameEnd end);
const char* TrendText(int trend);
const char* WordEndText(WordEnd end);
std::string Utf8Text(const char* latin1);
// UTF-8 to Latin-1 for the screens; characters Latin-1 has not become "?".
std::string ScreenText(const std::string& utf8);

}  // namespace stats
