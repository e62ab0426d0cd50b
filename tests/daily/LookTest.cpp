#include "CardFixture.h"

#include "daily/TAsDet.h"
#include "support/Contrast.h"

#include <QTest>

namespace pulmora::test {
namespace {

TEST_F(CardTest, OnADarkDesktopEveryTextAndGlyphOfTheCardReads) {
    const DesktopPalette dark(darkPalette());
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    card().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    click(widget("CoughDay"));  // Save and Cancel show
    expectReadable(card(), "the daily card");

    daily::TAsDet deletion;
    deletion.MesDelPer("Jo");
    deletion.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&deletion));
    expectReadable(deletion, "the deletion window");
}

}  // namespace
}  // namespace pulmora::test
