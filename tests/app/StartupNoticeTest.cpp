#include "app/StartupNotice.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

using Kind = app::StartupNotice::Kind;

TEST(StartupNoticeTest, OnlyAPlainIdOfAKnownNameIsPassedOn) {
    const std::pair<QByteArray, Kind> cases[] = {{"DESKTOP_STARTUP_ID=launcher-12_TIME3456", Kind::StartupId},
                                                 {"XDG_ACTIVATION_TOKEN=kwin-5", Kind::ActivationToken},
                                                 {"DESKTOP_STARTUP_ID=", Kind::None},
                                                 {"DESKTOP_STARTUP_ID=two words", Kind::None},
                                                 {"DESKTOP_STARTUP_ID=a\"quote", Kind::None},
                                                 {"DESKTOP_STARTUP_ID=caf\xc3\xa9", Kind::None},
                                                 {"DESKTOP_STARTUP_ID=" + QByteArray(513, 'x'), Kind::None},
                                                 {"OTHER_ID=abc", Kind::None}};
    for (const auto& [text, kind] : cases) {
        const app::StartupNotice notice = app::StartupNotice::decoded(text);
        EXPECT_EQ(notice.kind, kind) << text.toStdString();
        EXPECT_EQ(notice.encoded(), kind == Kind::None ? QByteArray() : text);
    }
}

// "remove: ID=" and the id, ended by a nul byte even where it fills its last message, in
// messages of 20 bytes.
TEST(StartupNoticeTest, TheEndOfAStartIsSentInMessagesOfTwentyBytes) {
    for (const QByteArray& id : {QByteArray("12345678"), QByteArray("123456789")}) {
        QByteArray joined;
        for (const QByteArray& chunk : app::startupInfoChunks(id)) joined += chunk;
        EXPECT_EQ(joined, ("remove: ID=" + id).leftJustified(id.size() == 8 ? 20 : 40, '\0'));
    }
}

}  // namespace
}  // namespace pulmora::test
