#include "NamedSaves.h"

#include "store/Cp1252.h"
#include "store/Keys.h"
#include "store/Names.h"
#include "store/TableAccess.h"

#include <algorithm>

namespace pulmora::test::named {
namespace {

using store::TableId;
using Values = std::initializer_list<std::pair<const char*, QString>>;

std::string bytes(const QString& text) { return store::cp1252::encodeRead(text); }

store::Result resultOf(const engine::Status& status) {
    return status ? store::Result::done() : store::Result::refused(QString::fromStdString(status.reason));
}

engine::Table& table(store::Diary& diary, TableId id) { return *store::TableAccess::table(diary.files, id); }

// The named operations saw the records they had marked: they recalled them.
bool seek(engine::Table& t, const char* tag, const QString& key) {
    t.selectTag(t.tag(tag));
    return t.seekIncludingMarked(bytes(key));
}

QString text(engine::Table& t, const char* field) { return store::cp1252::decode(t.field(field)->str()).trimmed(); }

// The record found (recalled when marked) or a new one, with the values assigned, written.
store::Result write(engine::Table& t, bool found, Values values) {
    if (!found) t.appendStart();
    for (const auto& [field, value] : values) t.field(field)->assign(bytes(value));
    if (found) t.recall();
    return resultOf(found ? t.flush() : t.append());
}

// Marks every live record of the walk from `key` in `tag` while `belongs` holds.
template <class Belongs>
store::Result markFrom(engine::Table& t, const char* tag, const QString& key, Belongs belongs) {
    for (bool more = seek(t, tag, key) && belongs(); more; more = t.skip() && belongs()) {
        if (t.isDeleted()) continue;
        t.markDeleted();
        if (const store::Result r = resultOf(t.flush()); !r) return r;
    }
    return store::Result::done();
}

store::Result markDay(engine::Table& t, const char* tag, const QString& day) {
    // The day's records stand together in a tag on the day's identifier.
    return markFrom(t, tag, day, [&] { return text(t, "DyID") == day; });
}

QString flag(bool on) { return on ? "1" : "0"; }

store::Result addDay(store::Diary& diary, const plan::DaySave& s) {
    const store::DayValues& v = s.values;
    engine::Table& daily = table(diary, TableId::Daily);
    const QString date = store::keys::dateKey(s.date);
    const QString day = store::keys::dayId(s.person, s.date);
    const bool found = seek(daily, "diDyID", day);
    const store::Result written = write(daily, found,
                                        {{"DyID", day},
                                         {"Asid", s.person.text()},
                                         {"AsDt", date},
                                         {"Morn", QString::number(v.morning)},
                                         {"Even", QString::number(v.evening)},
                                         {"CogD", flag(v.coughDay)},
                                         {"BrtD", flag(v.breathDay)},
                                         {"WhzD", flag(v.wheezeDay)},
                                         {"ChsD", flag(v.chestDay)},
                                         {"CogN", flag(v.coughNight)},
                                         {"BrtN", flag(v.breathNight)},
                                         {"WhzN", flag(v.wheezeNight)},
                                         {"ChsN", flag(v.chestNight)},
                                         {"ActN", flag(v.activityRestricted)},
                                         {"ActS", flag(v.sportRestricted)},
                                         {"Miss", flag(v.offWork)},
                                         {"Nrel", QString::number(v.relievers)},
                                         {"Nprv", QString::number(v.preventers)},
                                         {"Rate", QString::number(v.rating)}});
    if (!written) return written;
    // The person's best rises to the higher reading.
    engine::Table& personal = table(diary, TableId::Personal);
    const int highest = std::max(v.morning, v.evening);
    if (!seek(personal, "piASID", s.person.text()) || personal.field("Best")->toInt() >= highest)
        return store::Result::done();
    personal.field("Best")->assign(std::to_string(highest));
    return resultOf(personal.flush());
}

QString newMedId(store::Diary& diary, const QString& name) {
    for (quint32 n = 1;; ++n) {
        const QString id = store::keys::medIdCandidate(name, n);
        if (!seek(table(diary, TableId::PerMed), "pmiMDID", id) && !seek(table(diary, TableId::DlyMed), "dmiMDID", id))
            return id;
    }
}

}  // namespace

store::Result markDayTriggers(store::Diary& diary, const store::PersonId& person, const QDate& date) {
    return markDay(table(diary, TableId::DlyTrig), "dtiDYID", store::keys::dayId(person, date));
}

store::Result saveDay(store::Diary& diary, const plan::DaySave& s) {
    const QString date = store::keys::dateKey(s.date);
    const QString day = store::keys::dayId(s.person, s.date);
    const QString who = s.person.text();
    store::Result r = addDay(diary, s);
    engine::Table& triggers = table(diary, TableId::DlyTrig);
    if (r) r = markDay(triggers, "dtiDYID", day);
    for (const QString& ticked : s.triggers) {
        const QString name = store::triggerName(ticked);
        if (r)
            r = write(triggers, seek(triggers, "dtiKEY", store::keys::padded(day + name, 41)),
                      {{"DyID", day}, {"Asid", who}, {"Trig", name}, {"AsDt", date}});
    }
    if (r) r = resultOf(triggers.pack());
    engine::Table& medication = table(diary, TableId::DlyMed);
    if (r) r = markDay(medication, "dmiDYID", day);
    for (const store::DayMedRow& m : s.medication) {
        if (!r || m.isFree() || m.timesUsed == 0) continue;
        const QString used = QString::number(m.timesUsed);
        if (seek(medication, "dmiKEY", day + store::keys::padded(m.medId, 8)))
            r = write(medication, true, {{"TmUs", used}});  // the name and category stay as recorded
        else
            r = write(medication, false,
                      {{"DyID", day},
                       {"Asid", who},
                       {"MdID", m.medId},
                       {"ANam", m.name},
                       {"TmUs", used},
                       {"Ctgy", m.category},
                       {"AsDt", date}});
    }
    if (r) r = resultOf(medication.pack());
    return r;
}

store::Result saveLists(store::Diary& diary, const store::PersonId& id, const QStringList& names,
                        std::span<const store::PersonMedRow> rows) {
    const QString person = id.text();
    engine::Table& triggers = table(diary, TableId::PerTrig);
    store::Result r = markFrom(triggers, "ptiTRIG", person, [&] { return text(triggers, "Asid") == person; });
    for (const QString& trigger : names) {
        const QString name = store::triggerName(trigger);
        if (r)
            r = write(triggers, seek(triggers, "ptiTRIG", store::keys::padded(person + name, 33)),
                      {{"Asid", person}, {"Trig", name}});
    }
    if (r) r = resultOf(triggers.pack());

    engine::Table& medication = table(diary, TableId::PerMed);
    for (bool more = r && seek(medication, "pmiASID", person); more && text(medication, "Asid") == person;
         more = medication.skip()) {
        if (text(medication, "MdUs") == "No") continue;
        medication.field("MdUs")->assign("No");
        if (r = resultOf(medication.flush()); !r) return r;
    }
    for (const store::PersonMedRow& m : rows) {
        if (!r || m.name.trimmed().isEmpty()) continue;
        const QString given = m.medId.trimmed();
        const bool found = !given.isEmpty() && seek(medication, "pmiMDID", store::keys::padded(given, 8, '0'));
        const QString id = found ? text(medication, "MdID") : newMedId(diary, m.name);
        r = write(medication, found,
                  {{"MdID", id},
                   {"Asid", person},
                   {"ANam", m.name.trimmed()},
                   {"Inst", m.instructions},
                   {"PrBy", m.prescribedBy},
                   {"PrDt", store::keys::dateKeyOrBlank(m.prescribedDate)},
                   {"MdUs", "Yes"},
                   {"Ctgy", m.category}});
    }
    return r;
}

}  // namespace pulmora::test::named
