// pulmora-report: writes a report or a graph of a diary folder as a file, through the same
// builders the report card uses, without opening any window: as PNG the picture on show, as PDF
// the page the card prints, as JPEG or bitmap the picture the save window writes. With --figures
// it also prints the report's figures as JSON. With --report sheet it prints record sheets to a
// PDF file (or their pages as PNG pictures) as the record sheet window does. With --report csv it
// writes the person's whole diary as the CSV file the daily card's menu exports. With --report
// pack it writes the visit pack the report card saves as a PDF file, with --report plan the asthma
// action plan the card prints and with --report year the pack's page of the last 12 months (with
// --figures also its figures as JSON). It only reads the diary.
#include "files/Replacement.h"
#include "graphs/GraphChart.h"
#include "graphs/GraphFigures.h"
#include "graphs/GraphOutput.h"
#include "output/PageMargins.h"
#include "output/PictureFile.h"
#include "output/Printing.h"
#include "pages/ReportPage.h"
#include "programfiles/ProgramFiles.h"
#include "reports/ControlSummary.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportFigures.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "sheet/SheetJob.h"
#include "stats/DiaryCsv.h"
#include "stats/YearRisks.h"
#include "store/Diary.h"
#include "visit/ActionPlan.h"
#include "visit/RoomPage.h"
#include "visit/VisitPack.h"
#include "visit/YearPage.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace pulmora;

constexpr int kRefused = 2;
constexpr int kNothingToReport = 3;  // the period holds nothing the report or graph could show

struct ReportChoice {
    const char* name;
    reports::ReportBuilder build;
};
const ReportChoice kReports[] = {
    {"weekly", reports::WeeklyComparison},
    {"monthly-basic", reports::MonthlyBasic},
    {"monthly-additional", reports::MonthlyAdditional},
    {"summary", reports::ControlSummary},
};

std::optional<reports::ReportBuilder> builderNamed(const QString& name) {
    for (const ReportChoice& choice : kReports)
        if (name == QLatin1String(choice.name)) return choice.build;
    return std::nullopt;
}

// The graphs are drawn from a plan, not built as a report picture, so they have a name of their own.
constexpr const char* kGraph = "graph";
// The record sheets are printed pages of several persons, not a report of one.
constexpr const char* kSheet = "sheet";
// The CSV file is every recorded day of the person, not a report of a date.
constexpr const char* kCsv = "csv";
// The visit pack is every report and several graphs in one PDF file.
constexpr const char* kPack = "pack";
// The action plan and the last 12 months are whole pages of their own, written as PDF or PNG.
constexpr const char* kPlan = "plan";
constexpr const char* kYear = "year";

QString reportNames() {
    QStringList names;
    for (const ReportChoice& choice : kReports) names << choice.name;
    names << kGraph << kSheet << kCsv << kPack << kPlan << kYear;
    return names.join(", ");
}

int refuse(const QString& message, int status = kRefused) {
    std::fprintf(stderr, "pulmora-report: %s\n", qPrintable(message));
    return status;
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
    const std::optional<store::PersonId> first = p ? std::optional(p->id) : std::nullopt;
    while (p) {
        if (p->nickname == nickname) return p;
        p = persons.GetPerDly(store::Persons::Step::Next, p->id);
        if (p && p->id == first) break;
    }
    return std::nullopt;
}

struct Picture {
    QImage image;
    QString path;
};

// Writes the pictures as PNG files, all or none: each is written whole beside its name before
// any is put in place, so a failure on the way (a full disk, a folder that cannot be written)
// leaves no new file and every old one as it was. What failed, or empty.
QString writePngs(const std::vector<Picture>& pictures) {
    const auto cannotWrite = [](const Picture& picture, const QString& why) {
        return "cannot write the picture to " + picture.path + ": " + why;
    };
    std::vector<std::unique_ptr<files::Replacement>> written;
    for (const Picture& picture : pictures) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !picture.image.save(&buffer, "PNG"))
            return cannotWrite(picture, "it cannot be made into a PNG picture");
        auto file =
            std::make_unique<files::Replacement>(QFile::encodeName(picture.path).toStdString(), files::kUserFile);
        if (!file->begin() || !file->write(bytes.constData(), size_t(bytes.size())))
            return cannotWrite(picture, QString::fromStdString(file->reason()));
        written.push_back(std::move(file));
    }
    for (size_t i = 0; i < written.size(); ++i)
        if (!written[i]->commit()) return cannotWrite(pictures[i], QString::fromStdString(written[i]->reason()));
    return {};
}

enum class OutputKind { Png, Pdf, Jpeg, Bitmap };

std::optional<OutputKind> outputKind(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") return OutputKind::Png;
    if (suffix == "pdf") return OutputKind::Pdf;
    if (suffix == "jpg") return OutputKind::Jpeg;
    if (suffix == "bmp") return OutputKind::Bitmap;
    return std::nullopt;
}

// Writes what is on show as the kind of file the name asks for: the picture as PNG, the printed
// page as PDF, the saved picture as JPEG or bitmap. What failed, or empty.
QString writeOutput(const QImage& picture, const output::PrintJob& page, const QImage& saved, const QString& path,
                    OutputKind kind) {
    if (kind == OutputKind::Png) return writePngs({{picture, path}});
    if (kind == OutputKind::Pdf) {
        const output::PrintOutcome printed = output::printToPdf(path, page);
        return printed.ok() ? QString() : printed.error();
    }
    const output::WriteResult written = output::savePicture(
        saved, path, kind == OutputKind::Jpeg ? output::PictureKind::Jpeg : output::PictureKind::Bitmap);
    return written.error();
}

void printFigures(const QJsonObject& figures) {
    std::fputs(QJsonDocument(figures).toJson(QJsonDocument::Indented).constData(), stdout);
}

// The graph the report card shows for the option, period and date axis, with the person's
// nickname as its banner shows it, laid out for its target as the card lays it out: the saved
// picture's size for a picture, an A4 landscape page for a PDF. A graph with nothing to plot is
// not written.
int writeGraph(store::Diary& diary, const store::PersonRef& person, const QDate& date, const QCommandLineParser& parser,
               OutputKind kind) {
    for (const char* required : {"option", "period"})
        if (!parser.isSet(required)) return refuse(QStringLiteral("--%1 is missing").arg(required));
    const QString period = parser.value("period");
    const auto option = reports::graphOptionNamed(parser.value("option"));
    if (!option)
        return refuse("the option \"" + parser.value("option") +
                      "\" is not one of: " + reports::graphOptionTexts().join(", "));
    const auto span = reports::graphSpanNamed(period);
    if (!span) return refuse("the period \"" + period + "\" is not one of: " + reports::graphPeriodTexts().join(", "));

    const reports::GraphRequest request{*option, person.nickname, reports::graphPeriod(date, reports::spanDays(*span)),
                                        parser.isSet("date-axis")};
    const reports::GraphRun graph = reports::runGraph(diary.reports, person.id, request);
    if (!graph.plan.info.isEmpty()) return refuse("there is no graph to write: " + graph.plan.info, kNothingToReport);
    const QSizeF page =
        output::printableRoom(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}), QPageLayout::Landscape);
    const QString failed =
        writeOutput(reports::renderGraph(graph.plan, reports::kSavedGraphSize), reports::PrintChart(graph.plan, page),
                    reports::savedGraphPicture(graph.plan), parser.value("out"), kind);
    if (!failed.isEmpty()) return refuse(failed);
    if (parser.isSet("figures")) printFigures(reports::graphFiguresJson(graph.table, graph.plan));
    return 0;
}

// "WxH" in quarters of the printable page, each 2 to 4.
std::optional<sheet::PageChoice> parseSize(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^([234])x([234])$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return sheet::PageChoice{false, match.captured(1).toInt(), match.captured(2).toInt()};
}

// The sheets of the persons named, one after another, as a PDF file or as PNG pictures of
// their pages: FILE.png for a single page, else FILE-1.png, FILE-2.png and so on.
int writeSheets(store::Persons& persons, const QDate& first, const QCommandLineParser& parser) {
    sheet::SheetOptions options{first, parser.isSet("two-weeks") ? 14 : 7, parser.isSet("separate"), {}};
    if (parser.isSet("size")) {
        const auto size = parseSize(parser.value("size"));
        if (!size) return refuse("the size \"" + parser.value("size") + "\" is not WxH with quarters 2 to 4");
        options.size = *size;
    }
    std::vector<sheet::SheetPerson> sheets;
    for (const QString& nickname : parser.values("person")) {
        sheets.push_back(sheet::GetAsthmatic(persons, nickname));
        if (!sheets.back().id) return refuse("there is no person with the nickname \"" + nickname + "\"");
    }
    const QString out = parser.value("out");
    const output::PrintJob job = sheet::sheetJob(sheets, options);
    if (out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        const output::PrintOutcome printed = output::printToPdf(out, job);
        return printed.ok() ? 0 : refuse(printed.error());
    }
    if (!out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) return refuse("--out must name a .pdf or .png file");
    std::vector<Picture> pages;
    for (size_t i = 0; i < job.pages.size(); ++i)
        pages.push_back({job.pages[i].page.toImage(),
                         job.pages.size() == 1 ? out : out.chopped(4) + QStringLiteral("-%1.png").arg(i + 1)});
    const QString failed = writePngs(pages);
    return failed.isEmpty() ? 0 : refuse(failed);
}

// The visit pack on A4 paper, as the report card writes it; nothing without a recorded day in its
// period.
int writePack(store::Diary& diary, const store::PersonRef& person, const QDate& date, const QString& path) {
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) return refuse("a visit pack is a .pdf file");
    const reports::VisitPack pack =
        reports::BuildVisitPack(diary, {person.id, person.nickname, date}, QPageSize(QPageSize::A4));
    if (!pack.available()) return refuse("there is no visit pack to write:" + pack.status, kNothingToReport);
    const output::PrintOutcome written = reports::SaveVisitPack(pack, path);
    return written.ok() ? 0 : refuse(written.error());
}

// A page filling an A4 portrait sheet, as a PDF file or as a PNG picture of the page.
int writeRoomPage(const output::PrintJob& job, const QString& path, OutputKind kind) {
    if (kind == OutputKind::Pdf) {
        const output::PrintOutcome printed = output::printToPdf(path, job);
        return printed.ok() ? 0 : refuse(printed.error());
    }
    if (kind != OutputKind::Png) return refuse("--out must name a .pdf or .png file for this page");
    const QString failed = writePngs({{job.pages.front().page.toImage(), path}});
    return failed.isEmpty() ? 0 : refuse(failed);
}

// The plan says it was printed on the date given.
int writePlan(store::Diary& diary, const store::PersonRef& person, const QDate& date, const QString& path,
              OutputKind kind) {
    const reports::ActionPlan plan = reports::readActionPlan(diary, person.id, date);
    return writeRoomPage(reports::PrintActionPlan(plan, reports::portraitRoom(QPageSize(QPageSize::A4), false)), path,
                         kind);
}

// The 12 months up to the date; nothing without a recorded day in them.
int writeYear(store::Diary& diary, const store::PersonRef& person, const QDate& date, const QCommandLineParser& parser,
              OutputKind kind) {
    const stats::YearRisks year = stats::CollectYearRisks(diary.reports, person.id, date);
    if (!year.available())
        return refuse("there is no page to write: no day is recorded from " + reports::periodText(year.period),
                      kNothingToReport);
    const QSizeF a4 = reports::portraitRoom(QPageSize(QPageSize::A4), false);
    const int written = writeRoomPage(reports::PrintYearPage(year, a4), parser.value("out"), kind);
    if (written == 0 && parser.isSet("figures")) printFigures(reports::yearFiguresJson(year));
    return written;
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
        "Writes a report or a graph of a Pulmora diary folder: its picture as PNG, its printed page as PDF, "
        "or its saved picture (a text report under its person header) as JPEG or bitmap; a person's diary as CSV.");
    parser.addHelpOption();
    parser.addPositionalArgument("FOLDER", "the diary's program folder");
    parser.addOption({"person", "the person's nickname; for sheets, given once for each person", "NICKNAME"});
    parser.addOption(
        {"date",
         "the report date, the last day reported; for sheets the first day; for the plan the day it was printed; "
         "not for csv",
         "YYYY-MM-DD"});
    parser.addOption({"report", "the report: " + reportNames(), "KIND"});
    parser.addOption({"option", "the graph's analysis, as the report card lists it", "TEXT"});
    parser.addOption({"period", "the graph's period: 1 Month, 3 Months, 6 Months, 9 Months or Year", "TEXT"});
    parser.addOption({"date-axis", "the graph keeps an empty slot for every missed day"});
    parser.addOption({"out",
                      "the file to write, its kind by its extension "
                      "(sheets, plan, year: .pdf or .png; pack: .pdf; csv: any name)",
                      "FILE.png|.pdf|.jpg|.bmp|.csv"});
    parser.addOption({"figures", "print the report's figures as JSON on standard output"});
    parser.addOption({"two-weeks", "sheets for two weeks rather than one"});
    parser.addOption({"separate", "sheets with the triggers and medication on a second page"});
    parser.addOption({"size", "sheets printed at quarters of the page, each 2 to 4; automatic when absent", "WxH"});
    if (!parser.parse(app.arguments())) return refuse(parser.errorText());
    if (parser.isSet("help")) parser.showHelp(0);

    const QStringList folders = parser.positionalArguments();
    if (folders.size() != 1) return refuse("name one diary folder");
    for (const char* required : {"person", "report", "out"})
        if (!parser.isSet(required)) return refuse(QStringLiteral("--%1 is missing").arg(required));
    const QString kind = parser.value("report");
    const auto build = builderNamed(kind);
    const bool graph = kind == QLatin1String(kGraph);
    const bool sheets = kind == QLatin1String(kSheet);
    const bool csv = kind == QLatin1String(kCsv);
    const bool pack = kind == QLatin1String(kPack);
    const bool plan = kind == QLatin1String(kPlan);
    const bool year = kind == QLatin1String(kYear);
    if (!build && !graph && !sheets && !csv && !pack && !plan && !year)
        return refuse("the report \"" + kind + "\" is not one of: " + reportNames());
    const auto output = outputKind(parser.value("out"));
    // Sheets check their own output, which is a PDF file or PNG pages; a CSV file may have any name.
    if (!sheets && !csv && !output)
        return refuse("the output \"" + parser.value("out") + "\" does not end in .png, .pdf, .jpg or .bmp");
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
    // The store claims its record files and backups; the program's own files are claimed here.
    const files::OwnFiles programFiles = app::program_files::claimIn(folders.first());
    for (const store::FileProblem& problem : diary.files.fileProblems())
        if (problem.table == store::TableId::Personal || problem.table == store::TableId::Daily)
            return refuse(problem.fileName + " cannot be read: " + problem.reason);
    for (store::TableId id : {store::TableId::Personal, store::TableId::Daily})
        if (!diary.files.has(id))
            return refuse(folders.first() + " holds no diary: " + QFileInfo(diary.files.filePath(id)).fileName() +
                          " is missing");

    if (sheets) return writeSheets(diary.persons, *date, parser);
    const auto person = findPerson(diary.persons, parser.value("person"));
    if (!person) return refuse("there is no person with the nickname \"" + parser.value("person") + "\"");

    if (csv) return writeCsv(diary, *person, parser.value("out"));
    if (graph) return writeGraph(diary, *person, *date, parser, *output);
    if (pack) {
        if (parser.isSet("figures"))
            return refuse("--figures is for the reports and graphs; a pack is only a PDF file");
        return writePack(diary, *person, *date, parser.value("out"));
    }
    if (plan) {
        if (parser.isSet("figures")) return refuse("--figures is for the reports and graphs; a plan is only a page");
        return writePlan(diary, *person, *date, parser.value("out"), *output);
    }
    if (year) return writeYear(diary, *person, *date, parser, *output);
    const reports::ReportResult report = (*build)(diary.reports, person->id, *date, 1.0);
    // Printing and saving a text report, like the card's buttons, need a report on show.
    if (*output != OutputKind::Png && !report.available)
        return refuse("there is no report to print or save:" + report.status, kNothingToReport);
    const QString failed = writeOutput(report.picture(), reports::PrintAsthmaReport(report),
                                       reports::savedReportPicture(report), parser.value("out"), *output);
    if (!failed.isEmpty()) return refuse(failed);
    if (parser.isSet("figures")) printFigures(reports::figuresJson(report));
    return 0;
}
