#pragma once

#include "store/Diary.h"

#include <QDate>

#include <random>

namespace pulmora::tools {

struct SampleOptions {
    int persons = 3;
    int years = 1;
    unsigned seed = 1;
    QDate lastDay;  // the diary ends here; usually today
    // Every name and text as long as the record files hold: names of 30 characters,
    // medication names of 20, triggers of 25, and ten medications in use. For looking at pages
    // and windows at their fullest.
    bool longNames = false;
};

// Writes a plausible diary through the store's own operations, in the order the cards call
// them: persons with their triggers and medication (changed part-way, so older versions stay
// on file not in use), then days with readings, symptoms, doses, triggers and medication, with
// gaps of unrecorded days.
class SampleDiary {
public:
    SampleDiary(store::Diary& diary, const SampleOptions& options);
    // Answers an error, or an empty text when the diary was written.
    QString write();

private:
    struct Medication {
        QString id, name, category;
    };
    struct Person {
        std::optional<store::PersonId> id;  // once stored
        int best = 0;
        QStringList triggers;
        std::vector<Medication> medication;
        std::vector<store::PersonMedRow> moreMedication;  // kept in use when the preventer is renewed
    };

    QString addPerson(int index, Person& person);
    const QStringList& triggerNames() const;
    QString renewMedication(Person& person, const QDate& when);
    QString addDay(const Person& person, const QDate& day);
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    store::Diary& diary_;
    SampleOptions options_;
    std::mt19937 random_;
};

}  // namespace pulmora::tools
