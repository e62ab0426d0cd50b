#pragma once

#include "store/ReportCursors.h"

#include <QByteArray>

namespace pulmora::stats {

// A person's whole diary as a CSV file for spreadsheets and other programs: a header line, then
// one row per recorded day in date order, with the readings, the figures the reports show for
// them, the flags as 0/1, the doses, the rating in words, and the day's triggers and
// medication. A list that begins with a character a spreadsheet would take for the start of a
// formula gets an apostrophe in front. Fields are quoted where they hold a comma, a quote or a
// line break; lines end in CR LF; the text is UTF-8 after a byte-order mark, which tells
// spreadsheets its encoding.
struct DiaryCsv {
    QByteArray bytes;
    int days = 0;  // rows after the header
};

DiaryCsv ExportDiaryCsv(store::ReportCursors& cursors, const store::PersonId& person);

// Writes the file whole or not at all (an existing file stays as it was), a new one for its
// owner only, as every file the user names (see files::kUserFile); answers why it could not, or
// nothing.
QString SaveDiaryCsv(const DiaryCsv& csv, const QString& path);

}  // namespace pulmora::stats
