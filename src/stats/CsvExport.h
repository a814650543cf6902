#pragma once
// The statistics as files a spreadsheet opens in Italian settings: UTF-8,
// ";" between fields, decimal comma, dates dd/mm/yyyy. Three files: the
// class table, every game of every child, and every letter of every child.

#include <string>
#include <vector>

namespace stats {

class StatsStore;

// The file names written, in the order written.
std::vector<std::string> CsvFileNames();

// Writes the three files into the folder (a program path, created when
// missing); false when one could not be written. `now` dates "this week".
bool ExportCsv(StatsStore& store, const std::string& folder, long long now);

// One field as the files write it: quoted when it holds ";", a quote or a
// line break.
std::string CsvField(const std::string& text);
// "12,5": one decimal, with a comma; empty for a figure that is not known.
std::string DecimalComma(double value);

}  // namespace stats
