// Saves the planned rounds of the little diary from the round given on, telling the parent
// after each save that returned. The parent kills it at a moment of its choosing.
#include "SavePlan.h"

#include "store/Clock.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    using namespace pulmora;
    store::clock::setToday(QDate(2024, 6, 15));
    store::Diary diary;
    diary.files.setFolder(QString::fromLocal8Bit(argv[1]));
    diary.files.OpenDB();
    if (!diary.files.allOpen()) return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = std::atoi(argv[2]);; ++round) {
        if (!test::plan::saveOf(round).run(diary)) return 4;
        std::printf("%d\n", round);
        std::fflush(stdout);
    }
}
