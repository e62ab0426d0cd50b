#include "SheetDiary.h"

#include "output/PdfTools.h"

#include <QImage>

#include <filesystem>

namespace pulmora::test {
namespace {

class SheetToolTest : public SheetDiaryTest {
protected:
    void SetUp() override {
        SheetDiaryTest::SetUp();
        const store::PersonId amy = addPerson("Amy", "Brown");
        addPerson("Bea", "Clark");
        addTrigger(amy, "Pollen");
        diary.files.CloseDB();
    }
    std::string run(const std::string& arguments, int& status) const {
        return runCommand(std::string(PULMORA_REPORT_TOOL) + " '" + folder.path().string() + "' --report sheet " +
                              arguments + " 2>&1",
                          status);
    }
    TempFolder out;
};

TEST_F(SheetToolTest, PrintsTheSheetsOfEveryPersonNamedToOnePdf) {
    const std::string pdf = out.file("sheets.pdf");
    int status = -1;
    const std::string said =
        run("--person Bea --person Amy --date 2026-01-01 --two-weeks --separate --size 3x4 --out " + pdf, status);
    ASSERT_EQ(status, 0) << said;
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "4");
    EXPECT_NE(pdfText(pdf, 1).find("Bea"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 1).find("14/1"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 4).find("Pollen"), std::string::npos);
}

TEST_F(SheetToolTest, WritesEachPageAsAPicture) {
    int status = -1;
    const std::string one = out.file("one.png");
    ASSERT_EQ((run("--person Amy --date 2026-01-05 --out " + one, status), status), 0);
    EXPECT_FALSE(QImage(QString::fromStdString(one)).isNull());
    const std::string two = out.file("two.png");
    ASSERT_EQ((run("--person Amy --date 2026-01-05 --separate --out " + two, status), status), 0);
    EXPECT_FALSE(QImage(QString::fromStdString(out.file("two-1.png"))).isNull());
    EXPECT_FALSE(QImage(QString::fromStdString(out.file("two-2.png"))).isNull());
    EXPECT_FALSE(std::filesystem::exists(two));
}

TEST_F(SheetToolTest, RefusesUnknownPersonsAndSizes) {
    int status = -1;
    const std::string pdf = out.file("none.pdf");
    EXPECT_NE(run("--person Zed --date 2026-01-05 --out " + pdf, status).find("no person with the nickname \"Zed\""),
              std::string::npos);
    EXPECT_EQ(status, 2);
    EXPECT_NE(run("--person Amy --date 2026-01-05 --size 1x4 --out " + pdf, status).find("1x4"), std::string::npos);
    EXPECT_EQ(status, 2);
    EXPECT_NE(run("--person Amy --date 2026-01-05 --out " + out.file("sheet.txt"), status).find(".pdf or .png"),
              std::string::npos);
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace pulmora::test
