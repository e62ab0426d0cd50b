// pulmora-report: writes a report of a diary folder as a picture, through the same builders the
// report card uses, without opening any window; with --figures it also prints the report's
// figures as JSON. With --report sheet it prints record sheets to a PDF file (or their pages
// as PNG pictures) as the record sheet window does. It only reads the diary.
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportFigures.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "sheet/SheetJob.h"
#include "store/Diary.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
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

const QString kSheet = QStringLiteral("sheet");

QString reportNames() {
    QStringList names;
    for (const ReportChoice& choice : kReports) names << choice.name;
    return (names << kSheet).join(", ");
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

// "WxH" in quarters of the printable page, each 2 to 4.
std::optional<sheet::PageChoice> parseSize(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^([234])x([234])$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return sheet::PageChoice{false, match.captured(1).toInt(), match.captured(2).toInt()};
}

// The sheets of the persons, one after another, as a PDF file or as PNG pictures of their
// pages: FILE.png for a single page, else FILE-1.png, FILE-2.png and so on.
int writeSheets(store::Persons& persons, const QStringList& nicknames, const sheet::SheetOptions& options,
                const QString& out) {
    std::vector<sheet::SheetPerson> sheets;
    for (const QString& nickname : nicknames) {
        sheets.push_back(sheet::GetAsthmatic(persons, nickname));
        if (sheets.back().id.isEmpty()) return refuse("there is no person with the nickname \"" + nickname + "\"");
    }
    const output::PrintJob job = sheet::sheetJob(sheets, options);
    if (out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        const output::PrintOutcome printed = output::printToPdf(out, job);
        return printed.ok() ? 0 : refuse(printed.error());
    }
    if (!out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) return refuse("--out must name a .pdf or .png file");
    for (size_t i = 0; i < job.pages.size(); ++i) {
        const QString path = job.pages.size() == 1 ? out : out.chopped(4) + QStringLiteral("-%1.png").arg(i + 1);
        if (!writePicture(job.pages[i].page.toImage(), path)) return refuse("cannot write the picture to " + path);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes a report of a Pulmora diary folder as a PNG picture.");
    parser.addHelpOption();
    parser.addPositionalArgument("FOLDER", "the diary's program folder");
    parser.addOption({"person", "the person's nickname; for sheets, may be given once for each person", "NICKNAME"});
    parser.addOption({"date", "the report date, the last day reported; for sheets the first day", "YYYY-MM-DD"});
    parser.addOption({"report", "the report: " + reportNames(), "KIND"});
    parser.addOption({"out", "the picture to write; for sheets also a PDF file", "FILE.png|FILE.pdf"});
    parser.addOption({"figures", "print the report's figures as JSON on standard output"});
    parser.addOption({"two-weeks", "sheets for two weeks rather than one"});
    parser.addOption({"separate", "sheets with the triggers and medication on a second page"});
    parser.addOption({"size", "sheets printed at quarters of the page, each 2 to 4; automatic when absent", "WxH"});
    if (!parser.parse(app.arguments())) return refuse(parser.errorText());
    if (parser.isSet("help")) parser.showHelp(0);

    const QStringList folders = parser.positionalArguments();
    if (folders.size() != 1) return refuse("name one diary folder");
    for (const char* required : {"person", "date", "report", "out"})
        if (!parser.isSet(required)) return refuse(QStringLiteral("--%1 is missing").arg(required));
    const auto date = parseDate(parser.value("date"));
    if (!date) return refuse("the date \"" + parser.value("date") + "\" is not a day written YYYY-MM-DD");
    const bool sheets = parser.value("report") == kSheet;
    const auto build = builderNamed(parser.value("report"));
    if (!build && !sheets) return refuse("the report \"" + parser.value("report") + "\" is not one of: " + reportNames());
    sheet::SheetOptions options{*date, parser.isSet("two-weeks") ? 14 : 7, parser.isSet("separate"), {}};
    if (parser.isSet("size")) {
        const auto size = parseSize(parser.value("size"));
        if (!size) return refuse("the size \"" + parser.value("size") + "\" is not WxH with quarters 2 to 4");
        options.size = *size;
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

    if (sheets) return writeSheets(diary.persons, parser.values("person"), options, parser.value("out"));
    const auto person = findPerson(diary.persons, parser.value("person"));
    if (!person) return refuse("there is no person with the nickname \"" + parser.value("person") + "\"");

    const reports::ReportResult report = (*build)(diary.reports, person->id, *date, 1.0);
    if (!writePicture(report.picture, parser.value("out")))
        return refuse("cannot write the picture to " + parser.value("out"));
    if (parser.isSet("figures"))
        std::fputs(QJsonDocument(reports::figuresJson(report)).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}
