#include "BackupFixture.h"

#include "stats/DiaryCsv.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace pulmora::test {
namespace {

// Reads the CSV file with Python's csv module and the record files with dbfread, checks every
// row against the person's records, and prints the rows as JSON.
const char* const kCheckCsv = R"PY(
import csv, json, sys, dbfread
folder, path, person = sys.argv[1:4]
raw = open(path, 'rb').read()
if not raw.startswith(b'\xef\xbb\xbf'): sys.exit('no byte-order mark')
if b'\n' in raw.replace(b'\r\n', b''): sys.exit('a line does not end in CR LF')
with open(path, encoding='utf-8-sig', newline='') as f:
    rows = list(csv.reader(f, strict=True))

def table(name):
    return [{k.lower(): v for k, v in r.items()} for r in dbfread.DBF(folder + '/' + name, encoding='cp1252')]
def text(v): return str(v).strip()
days = sorted((r for r in table('Daily.dat') if text(r['asid']) == person), key=lambda r: r['asdt'])
triggers, medication = {}, {}
for t in table('DlyTrig.dat'): triggers.setdefault(text(t['dyid']), set()).add(text(t['trig']))
for m in table('DlyMed.dat'):
    medication.setdefault(text(m['dyid']), set()).add('%s (%d)' % (text(m['anam']), int(m['tmus'])))
def items(cell): return set(x for x in cell.split('; ') if x)

if len(rows) != len(days) + 1: sys.exit('%d rows for %d days' % (len(rows) - 1, len(days)))
if any(len(r) != len(rows[0]) for r in rows): sys.exit('rows of different lengths')
for row, day in zip(rows[1:], days):
    reading = lambda f: '' if int(day[f] or 0) == 0 else str(int(day[f]))
    want = [day['asdt'].isoformat(), reading('morn'), reading('even')]
    got = row[0:3]
    flags = ['cogd', 'brtd', 'whzd', 'chsd', 'cogn', 'brtn', 'whzn', 'chsn', 'actn', 'acts', 'miss']
    want += [text(day[f]) for f in flags] + [str(int(day['nrel'])), str(int(day['nprv']))]
    want.append({'1': 'Bad', '2': 'Average', '3': 'Good'}.get(text(day['rate']), ''))
    got += row[6:20]
    if got != want: sys.exit('%s: %s where the record files hold %s' % (row[0], got, want))
    dyid = text(day['dyid'])
    if items(row[20]) != triggers.get(dyid, set()): sys.exit('%s: triggers %s' % (row[0], row[20]))
    if items(row[21]) != medication.get(dyid, set()): sys.exit('%s: medication %s' % (row[0], row[21]))
print(json.dumps(rows))
)PY";

class DiaryCsvTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::clock::setToday(QDate(2024, 6, 15));
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
        const auto added = diary.persons.AddPer(std::nullopt, personDetails("Jo, \"the runner\""));
        ASSERT_TRUE(added) << added.error().toStdString();
        jo = added.value->id;
        const std::vector<store::PersonMedRow> medication = {{"", "Ventolin \"Easi, 1\"", "Reliever", "", "", {}},
                                                             {"", "Budesonide", "Preventer", "", "", {}}};
        ASSERT_TRUE(diary.persons.savePersonLists(*jo, {QString::fromUtf8("Crème"), "Pollen"}, medication));
        for (const store::PersonMedRow& m : diary.persons.ListMed(*jo))
            (m.name == "Budesonide" ? budesonideId : ventolinId) = m.medId.trimmed();

        store::DayValues first;
        first.morning = 400;
        first.evening = 300;
        first.coughDay = first.wheezeNight = first.sportRestricted = true;
        first.relievers = 2;
        first.rating = 1;
        save(QDate(2024, 6, 1), first, {QString::fromUtf8("CRÈME"), "POLLEN"}, 2, 1);
        store::DayValues second;
        second.evening = 350;
        second.offWork = true;
        save(QDate(2024, 6, 3), second, {}, 0, 1);
        store::DayValues third;  // raises the best to 500
        third.morning = 500;
        third.evening = 450;
        third.preventers = 2;
        third.rating = 3;
        save(QDate(2024, 6, 10), third, {"POLLEN"}, 0, 0);
    }
    void TearDown() override { store::clock::setToday(QDate()); }

    void save(const QDate& date, const store::DayValues& v, const QStringList& triggers, int ventolin, int budesonide) {
        const store::DayMedRow rows[] = {{"Ventolin \"Easi, 1\"", "Reliever", ventolinId, ventolin},
                                         {"Budesonide", "Preventer", budesonideId, budesonide}};
        const store::Result saved = diary.days.saveDay(*jo, date, v, triggers, rows);
        ASSERT_TRUE(saved) << saved.error().toStdString();
    }
    // The rows as Python's csv module reads them, once it found them matching the record files.
    QJsonArray readBack(const std::string& path) {
        int status = 0;
        const std::string out = runSystemPython(
            scripts, kCheckCsv, folder.path().string() + " '" + path + "' " + jo->text().toStdString(), status);
        EXPECT_EQ(status, 0) << out;
        return QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    }

    TempFolder folder;
    TempFolder scripts;
    store::Diary diary;
    std::optional<store::PersonId> jo;
    QString ventolinId, budesonideId;
};

TEST_F(DiaryCsvTest, EveryRecordedDayReadsBackAsTheRecordFilesHoldIt) {
    const stats::DiaryCsv csv = stats::ExportDiaryCsv(diary.reports, *jo);
    EXPECT_EQ(csv.days, 3);
    const std::string path = scripts.file("jo.csv");
    ASSERT_EQ(stats::SaveDiaryCsv(csv, QString::fromStdString(path)), "");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const QJsonArray rows = readBack(path);
    ASSERT_EQ(rows.size(), 4);
    const QJsonArray header = rows[0].toArray();
    ASSERT_EQ(header.size(), 22);
    EXPECT_EQ(header[0].toString(), "Date");
    EXPECT_EQ(header[19].toString(), "Rating");

    auto cell = [&](int row, int column) { return rows[row].toArray()[column].toString(); };
    // The best of the reports: the stored 400, raised to 500 by the third day.
    EXPECT_EQ(cell(1, 0), "2024-06-01");
    EXPECT_EQ(cell(1, 3), "80");
    EXPECT_EQ(cell(1, 4), "60");
    EXPECT_EQ(cell(1, 5), "29");  // 100 over the mean 350
    EXPECT_EQ(cell(1, 19), "Bad");
    EXPECT_EQ(cell(1, 20), QString::fromUtf8("CRÈME; POLLEN"));
    EXPECT_EQ(cell(1, 21), "Budesonide (1); Ventolin \"Easi, 1\" (2)");
    // A reading not taken leaves its cell and the figures it would make empty.
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(cell(2, 3), "");
    EXPECT_EQ(cell(2, 4), "70");
    EXPECT_EQ(cell(2, 5), "");
    EXPECT_EQ(cell(2, 16), "1");
    EXPECT_EQ(cell(2, 19), "");
    EXPECT_EQ(cell(2, 20), "");
    EXPECT_EQ(cell(3, 3), "100");
    EXPECT_EQ(cell(3, 5), "11");
    EXPECT_EQ(cell(3, 18), "2");
    EXPECT_EQ(cell(3, 19), "Good");
    EXPECT_EQ(cell(3, 21), "");
}

TEST_F(DiaryCsvTest, FieldsAreQuotedOnlyWhereTheyMustBe) {
    const QByteArray bytes = stats::ExportDiaryCsv(diary.reports, *jo).bytes;
    const QList<QByteArray> lines = bytes.mid(3).split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Date,Morning Peak Flow,"));
    EXPECT_TRUE(lines[1].startsWith("2024-06-01,400,300,80,60,29,1,0,0,0,0,0,1,0,0,1,0,2,0,Bad,"));
    EXPECT_TRUE(lines[1].endsWith(",\"Budesonide (1); Ventolin \"\"Easi, 1\"\" (2)\"\r"));
    EXPECT_NE(lines[1].indexOf(QString::fromUtf8(",CRÈME; POLLEN,").toUtf8()), -1);
}

// A spreadsheet opening the file shows what was typed and runs nothing: a list that begins like
// a formula is written with an apostrophe in front.
TEST_F(DiaryCsvTest, AListThatBeginsLikeAFormulaIsWrittenAsText) {
    const struct {
        QDate date;
        const char* trigger;
        const char* cell;
    } triggers[] = {{QDate(2024, 6, 4), "=1+2", "'=1+2"},
                    {QDate(2024, 6, 5), "+SUM(A1:A9)", "'+SUM(A1:A9)"},
                    {QDate(2024, 6, 6), "-2+3", "'-2+3"},
                    {QDate(2024, 6, 7), "@IMPORT", "'@IMPORT"},
                    {QDate(2024, 6, 8), "A=1", "A=1"}};
    for (const auto& t : triggers) save(t.date, {}, {t.trigger}, 0, 0);
    const store::DayMedRow formula[] = {{"=HYPERLINK(\"x\")", "Reliever", ventolinId, 1}};
    ASSERT_TRUE(diary.days.saveDay(*jo, QDate(2024, 6, 9), {}, {}, formula));

    const QList<QByteArray> lines = stats::ExportDiaryCsv(diary.reports, *jo).bytes.split('\n');
    auto lineOf = [&](const QDate& date) {
        const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
        for (const QByteArray& line : lines)
            if (line.startsWith(iso)) return line;
        return QByteArray();
    };
    for (const auto& t : triggers) EXPECT_TRUE(lineOf(t.date).endsWith(QByteArray(",") + t.cell + ",\r")) << t.trigger;
    EXPECT_TRUE(lineOf(QDate(2024, 6, 9)).endsWith(",,\"'=HYPERLINK(\"\"x\"\") (1)\"\r"))
        << lineOf(QDate(2024, 6, 9)).toStdString();
}

TEST_F(DiaryCsvTest, APersonWithoutRecordedDaysGetsTheHeaderAlone) {
    const auto max = diary.persons.AddPer(std::nullopt, personDetails("Max", "Male"));
    ASSERT_TRUE(max) << max.error().toStdString();
    const stats::DiaryCsv csv = stats::ExportDiaryCsv(diary.reports, max.value.value().id);
    EXPECT_EQ(csv.days, 0);
    EXPECT_EQ(csv.bytes.count("\r\n"), 1);
    EXPECT_TRUE(
        csv.bytes.startsWith("\xEF\xBB\xBF"
                             "Date,"));
}

TEST_F(DiaryCsvTest, AFileThatCannotBeWrittenIsNamedAndAnOldOneStays) {
    const std::string path = scripts.file("old.csv");
    writeBytes(path, {'o', 'l', 'd'});
    const stats::DiaryCsv csv = stats::ExportDiaryCsv(diary.reports, *jo);
    const QString missingFolder = QString::fromStdString(scripts.file("no-such-folder/jo.csv"));
    EXPECT_NE(stats::SaveDiaryCsv(csv, missingFolder).indexOf("no-such-folder"), -1);
    ASSERT_EQ(stats::SaveDiaryCsv(csv, QString::fromStdString(path)), "");
    EXPECT_EQ(readBytes(path).size(), size_t(csv.bytes.size()));
}

TEST_F(DiaryCsvTest, PulmoraReportWritesTheSameFile) {
    diary.files.CloseDB();
    const std::string out = scripts.file("tool.csv");
    int status = 0;
    const std::string tool = PULMORA_REPORT;
    const std::string common = tool + " " + folder.path().string() + " --person 'Jo, \"the runner\"' --report csv";
    std::string said = runCommand(common + " --out " + out + " 2>&1", status);
    ASSERT_EQ(status, 0) << said;
    diary.files.OpenDB(store::Access::ReadOnly);
    const QByteArray expected = stats::ExportDiaryCsv(diary.reports, *jo).bytes;
    const std::vector<char> written = readBytes(out);
    EXPECT_EQ(QByteArray(written.data(), qsizetype(written.size())), expected);
    EXPECT_EQ(readBack(out).size(), 4);

    said = runCommand(common + " --date 2024-06-15 --out " + scripts.file("refused.csv") + " 2>&1", status);
    EXPECT_EQ(status, 2) << said;
    EXPECT_FALSE(std::filesystem::exists(scripts.file("refused.csv")));
}

}  // namespace
}  // namespace pulmora::test
