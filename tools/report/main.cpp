// pulmora-report: writes a report or a graph of a diary folder as a picture, through the same
// builders the report card uses, without opening any window; with --figures it also prints the
// report's figures as JSON. With --report csv it writes the person's whole diary as the CSV file
// the daily card's menu exports. It only reads the diary.
#include "reports/GraphChart.h"
#include "reports/GraphFigures.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportFigures.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "stats/DiaryCsv.h"
#include "store/Diary.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QApplication>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>
#include <optional>

namespace {

using namespace pulmora;

constexpr int kRefused = 2;

struct ReportChoice {
    const char* name;
    reports::ReportBuilder build;
};
const ReportChoice kReports[] = {
    {"weekly", reports::WeeklyComparison},
    {"monthly-basic", reports::MonthlyBasic},
    {"monthly-additional", reports::MonthlyAdditional},
};

std::optional<reports::ReportBuilder> builderNamed(const QString& name) {
    for (const ReportChoice& choice : kReports)
        if (name == QLatin1String(choice.name)) return choice.build;
    return std::nullopt;
}

// The graphs are drawn from a plan, not built as a report picture, so they have a name of their own.
constexpr const char* kGraph = "graph";
// The CSV file is every recorded day of the person, not a report of a date.
constexpr const char* kCsv = "csv";

QString reportNames() {
    QStringList names;
    for (const ReportChoice& choice : kReports) names << choice.name;
    names << kGraph << kCsv;
    return names.join(", ");
}

int refuse(const QString& message) {
    std::fprintf(stderr, "pulmora-report: %s\n", qPrintable(message));
    return kRefused;
}

std::optional<QDate> parseDate(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!shape.match(text).hasMatch()) return std::nullopt;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// Nicknames are unique; the persons are walked once round in nickname order.
std::optional<store::PersonRef> findPerson(store::Persons& persons, const QString& nickname) {
    auto p = persons.GetPerDly(store::Persons::Step::First);
    const QString first = p ? p->id : QString();
    while (p) {
        if (p->nickname == nickname) return p;
        p = persons.GetPerDly(store::Persons::Step::Next, p->id);
        if (p && p->id == first) break;
    }
    return std::nullopt;
}

bool writePicture(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit();
}

void printFigures(const QJsonObject& figures) {
    std::fputs(QJsonDocument(figures).toJson(QJsonDocument::Indented).constData(), stdout);
}

// The size a graph is drawn at: about the chart of a report card opened a little larger than
// its smallest.
const QSize kGraphSize(800, 500);

// The graph the report card shows for the option, period and date axis, with the person's
// nickname as its banner shows it.
int writeGraph(store::Diary& diary, const store::PersonRef& person, const QDate& date, const QCommandLineParser& parser) {
    for (const char* required : {"option", "period"})
        if (!parser.isSet(required)) return refuse(QStringLiteral("--%1 is missing").arg(required));
    const QString option = parser.value("option"), period = parser.value("period");
    if (!reports::graphOptionTexts().contains(option))
        return refuse("the option \"" + option + "\" is not one of: " + reports::graphOptionTexts().join(", "));
    if (!reports::graphPeriodTexts().contains(period))
        return refuse("the period \"" + period + "\" is not one of: " + reports::graphPeriodTexts().join(", "));

    const reports::GraphRequest request{option, person.nickname, reports::graphPeriod(date, reports::PeriodDays(period)),
                                        parser.isSet("date-axis")};
    const reports::GraphRun graph = reports::runGraph(diary.reports, person.id, request);
    if (!writePicture(reports::renderGraph(graph.plan, kGraphSize), parser.value("out")))
        return refuse("cannot write the picture to " + parser.value("out"));
    if (parser.isSet("figures")) printFigures(reports::graphFiguresJson(graph.table, graph.plan));
    return 0;
}

int writeCsv(store::Diary& diary, const store::PersonRef& person, const QString& path) {
    const QString problem = stats::SaveDiaryCsv(stats::ExportDiaryCsv(diary.reports, person.id), path);
    return problem.isEmpty() ? 0 : refuse(problem);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes a report or a graph of a Pulmora diary folder as a PNG picture, or a person's diary as a CSV file.");
    parser.addHelpOption();
    parser.addPositionalArgument("FOLDER", "the diary's program folder");
    parser.addOption({"person", "the person's nickname", "NICKNAME"});
    parser.addOption({"date", "the report date, the last day reported (not for csv)", "YYYY-MM-DD"});
    parser.addOption({"report", "the report: " + reportNames(), "KIND"});
    parser.addOption({"option", "the graph's analysis, as the report card lists it", "TEXT"});
    parser.addOption({"period", "the graph's period: 1 Month, 3 Months, 6 Months, 9 Months or Year", "TEXT"});
    parser.addOption({"date-axis", "the graph keeps an empty slot for every missed day"});
    parser.addOption({"out", "the picture or CSV file to write", "FILE"});
    parser.addOption({"figures", "print the report's figures as JSON on standard output"});
    if (!parser.parse(app.arguments())) return refuse(parser.errorText());
    if (parser.isSet("help")) parser.showHelp(0);

    const QStringList folders = parser.positionalArguments();
    if (folders.size() != 1) return refuse("name one diary folder");
    for (const char* required : {"person", "report", "out"})
        if (!parser.isSet(required)) return refuse(QStringLiteral("--%1 is missing").arg(required));
    const QString kind = parser.value("report");
    const auto build = builderNamed(kind);
    const bool graph = kind == QLatin1String(kGraph);
    const bool csv = kind == QLatin1String(kCsv);
    if (!build && !graph && !csv) return refuse("the report \"" + kind + "\" is not one of: " + reportNames());
    std::optional<QDate> date;
    if (csv) {
        if (parser.isSet("date") || parser.isSet("figures"))
            return refuse("--date and --figures are for the reports and graphs; csv exports every recorded day");
    } else {
        if (!parser.isSet("date")) return refuse("--date is missing");
        date = parseDate(parser.value("date"));
        if (!date) return refuse("the date \"" + parser.value("date") + "\" is not a day written YYYY-MM-DD");
    }

    store::Diary diary;
    diary.files.setFolder(folders.first());
    // Read-only: a missing record file stays missing and nothing is ever written.
    diary.files.OpenDB(store::Access::ReadOnly);
    for (const store::FileProblem& problem : diary.files.fileProblems())
        if (problem.table == store::TableId::Personal || problem.table == store::TableId::Daily)
            return refuse(problem.fileName + " cannot be read: " + problem.reason);
    for (store::TableId id : {store::TableId::Personal, store::TableId::Daily})
        if (!diary.files.has(id))
            return refuse(folders.first() + " holds no diary: " +
                          QFileInfo(diary.files.filePath(id)).fileName() + " is missing");

    const auto person = findPerson(diary.persons, parser.value("person"));
    if (!person) return refuse("there is no person with the nickname \"" + parser.value("person") + "\"");

    if (csv) return writeCsv(diary, *person, parser.value("out"));
    if (graph) return writeGraph(diary, *person, *date, parser);
    const reports::ReportResult report = (*build)(diary.reports, person->id, *date, 1.0);
    if (!writePicture(report.picture, parser.value("out")))
        return refuse("cannot write the picture to " + parser.value("out"));
    if (parser.isSet("figures"))
        printFigures(reports::figuresJson(report));
    return 0;
}
