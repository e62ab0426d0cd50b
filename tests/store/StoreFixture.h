#pragma once

#include "store/DiaryStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QString>

namespace pulmora::test {

// A store opened on a fresh temporary program folder.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.setFolder(QString::fromStdString(folder.path().string()));
        store.OpenDB();
    }
    std::string file(const char* name) const { return folder.file(name); }
    // Runs Debian's dbfread over every record file and answers its exit status; prints problems.
    ::testing::AssertionResult filesReadByDbfread();

    TempFolder folder;
    store::DiaryStore store;
};

}  // namespace pulmora::test
