#include "app/StartupNotice.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

using app::StartupNotice;
using Kind = StartupNotice::Kind;

TEST(StartupNoticeTest, OnlyAPlainIdOfAKnownNameIsPassedOn) {
    const struct {
        QByteArray text;
        Kind kind;
    } cases[] = {
        {"DESKTOP_STARTUP_ID=launcher-12_TIME3456", Kind::StartupId},
        {"XDG_ACTIVATION_TOKEN=kwin-5-8", Kind::ActivationToken},
        {"DESKTOP_STARTUP_ID=", Kind::None},
        {"DESKTOP_STARTUP_ID=two words", Kind::None},
        {"DESKTOP_STARTUP_ID=a\"quote", Kind::None},
        {"DESKTOP_STARTUP_ID=back\\slash", Kind::None},
        {"DESKTOP_STARTUP_ID=caf\xc3\xa9", Kind::None},
        {"DESKTOP_STARTUP_ID=" + QByteArray(513, 'x'), Kind::None},
        {"OTHER_ID=abc", Kind::None},
        {"abc", Kind::None},
    };
    for (const auto& c : cases) {
        const StartupNotice notice = StartupNotice::decoded(c.text);
        EXPECT_EQ(notice.kind, c.kind) << c.text.toStdString();
        if (c.kind != Kind::None) {
            EXPECT_EQ(notice.encoded(), c.text);
        }
    }
    EXPECT_TRUE(StartupNotice().encoded().isEmpty());
}

// "remove: ID=" and the id, ended by a nul byte, in messages of 20 bytes; a text that fills its
// last message whole still ends in its own nul.
TEST(StartupNoticeTest, TheEndOfAStartIsSentInMessagesOfTwentyBytes) {
    for (const QByteArray& id : {QByteArray("12345678"), QByteArray("123456789"), QByteArray("launcher-12_TIME3456")}) {
        const std::vector<QByteArray> chunks = app::startupInfoChunks(id);
        QByteArray joined;
        for (const QByteArray& chunk : chunks) {
            EXPECT_EQ(chunk.size(), 20);
            joined += chunk;
        }
        const QByteArray message = "remove: ID=" + id;
        EXPECT_EQ(chunks.size(), size_t(message.size() / 20 + 1)) << id.toStdString();
        EXPECT_TRUE(joined.startsWith(message + '\0'));
        EXPECT_EQ(joined.mid(message.size()).count('\0'), joined.size() - message.size());
    }
}

}  // namespace
}  // namespace pulmora::test
