#include "BasicDailyPage.h"

#include "controls/TDaNumber.h"
#include "controls/TDaSwitch.h"
#include "pictures/Glyphs.h"
#include "store/Values.h"

#include <QGridLayout>
#include <QLabel>

namespace pulmora::daily {
namespace {

using controls::TDaNumber;
using controls::TDaSingle;
using controls::TDaSwitch;

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

}  // namespace

BasicDailyPage::BasicDailyPage(QWidget* parent) : QWidget(parent) {
    const qreal ratio = devicePixelRatioF();
    auto makeSwitch = [&](const char* name, const QString& hint, const QColor& colour, int group = 0) {
        auto* s = new TDaSwitch(this);
        s->setObjectName(QLatin1String(name));
        s->setBtnImage(controls::glyphs::switchStrip(colour, 18, ratio));
        s->setToolTip(hint);
        s->setAccessibleName(hint);
        s->setGroupIndex(group);
        s->setFixedSize(26, 26);
        connect(s, &TDaSwitch::clicked, this, &BasicDailyPage::switchClicked);
        return s;
    };
    auto makeEntry = [&]<class Entry>(Entry* entry, const char* objectName, const QString& name, const QString& dose,
                                      int max, QSize size) {
        entry->setObjectName(QLatin1String(objectName));
        entry->setMaxValue(max);
        entry->setBtnFrame(true);
        entry->setFixedSize(size);
        entry->setToolTip(name);
        entry->setAccessibleName(name);
        connect(entry, &Entry::mouseReleased, this,
                [this, entry, dose] { emit entryReleased(dose, entry->NoValue()); });
        return entry;
    };

    // The entries' own colours hold while they can be used; disabled they look like any
    // disabled control.
    auto colour = [](QWidget* entry, QPalette::ColorRole role, const QColor& c) {
        QPalette p = entry->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive}) p.setColor(group, role, c);
        entry->setPalette(p);
    };
    PkMorn = makeEntry(new TDaNumber(this), "PkMorn", "Morning Peak Flow", {}, 800, {72, 28});
    colour(PkMorn, QPalette::Base, QColor(255, 255, 0));
    colour(PkMorn, QPalette::Text, Qt::black);  // the desktop's text colour may be light
    PkEven = makeEntry(new TDaNumber(this), "PkEven", "Evening Peak Flow", {}, 800, {72, 28});
    colour(PkEven, QPalette::Base, QColor(0, 0, 128));
    colour(PkEven, QPalette::Text, Qt::white);
    QFont bold = PkEven->font();
    bold.setBold(true);
    PkEven->setFont(bold);
    RelUse = makeEntry(new TDaSingle(this), "RelUse", "Reliever Use", store::kReliever, 20, {34, 26});
    PreUse = makeEntry(new TDaSingle(this), "PreUse", "Preventer Use", store::kPreventer, 20, {34, 26});

    const QColor symptom(0, 0, 160);
    BreathDay = makeSwitch("BreathDay", "Morning", symptom);
    BreathNight = makeSwitch("BreathNight", "Evening", symptom);
    WheezDay = makeSwitch("WheezDay", "Morning", symptom);
    WheezNight = makeSwitch("WheezNight", "Evening", symptom);
    CoughDay = makeSwitch("CoughDay", "Morning", symptom);
    CoughNight = makeSwitch("CoughNight", "Evening", symptom);
    ChestDay = makeSwitch("ChestDay", "Morning", symptom);
    ChestNight = makeSwitch("ChestNight", "Evening", symptom);
    Offwork = makeSwitch("Offwork", "Off Work/School", symptom);
    ActWalk = makeSwitch("ActWalk", "Normal", symptom);
    ActRun = makeSwitch("ActRun", "Sport", symptom);
    RateBad = makeSwitch("RateBad", "Bad", QColor(255, 0, 0), 1);
    RateAvg = makeSwitch("RateAvg", "Average", QColor(220, 200, 0), 1);
    RateGood = makeSwitch("RateGood", "Good", QColor(0, 200, 0), 1);
    for (auto* rate : {RateBad, RateAvg, RateGood}) rate->setBtnFrame(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(caption("Morning Peak Flow", this), 0, 0);
    grid->addWidget(PkMorn, 1, 0);
    grid->addWidget(caption("Evening Peak Flow", this), 2, 0);
    grid->addWidget(PkEven, 3, 0);

    const struct {
        const char* name;
        TDaSwitch* day;
        TDaSwitch* night;
    } symptoms[] = {{"Breathlessness", BreathDay, BreathNight},
                    {"Wheezing", WheezDay, WheezNight},
                    {"Coughing", CoughDay, CoughNight},
                    {"Chest Tightness", ChestDay, ChestNight}};
    for (int i = 0; i < 4; ++i) {
        // Each switch is known by its row and column, as a sighted user reads it.
        symptoms[i].day->setAccessibleName(QString("%1 by day").arg(symptoms[i].name));
        symptoms[i].night->setAccessibleName(QString("%1 by night").arg(symptoms[i].name));
        grid->addWidget(caption(symptoms[i].name, this), i, 1);
        grid->addWidget(symptoms[i].day, i, 2);
        grid->addWidget(symptoms[i].night, i, 3);
    }
    grid->addWidget(caption("Off Work/School", this), 0, 4);
    grid->addWidget(Offwork, 0, 5);
    ActWalk->setAccessibleName("Normal activities restricted");
    ActRun->setAccessibleName("Sport restricted");
    grid->addWidget(caption("Activities Restricted", this), 1, 4);
    auto* activity = new QHBoxLayout;
    activity->addWidget(ActWalk);
    activity->addWidget(ActRun);
    grid->addLayout(activity, 1, 5);
    grid->addWidget(caption("Reliever Use", this), 2, 4);
    grid->addWidget(RelUse, 2, 5);
    grid->addWidget(caption("Preventer Use", this), 3, 4);
    grid->addWidget(PreUse, 3, 5);
    grid->addWidget(caption("Rate Your Asthma", this), 4, 1);
    auto* rating = new QHBoxLayout;
    for (auto* rate : {RateBad, RateAvg, RateGood}) rating->addWidget(rate);
    rating->addStretch();
    grid->addLayout(rating, 4, 2, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
}

QList<QWidget*> BasicDailyPage::tabOrder() const {
    return {PkMorn,     PkEven,  BreathDay, BreathNight, WheezDay, WheezNight, CoughDay, CoughNight, ChestDay,
            ChestNight, RateBad, RateAvg,   RateGood,    Offwork,  ActWalk,    ActRun,   RelUse,     PreUse};
}

std::vector<TDaSwitch*> BasicDailyPage::switches() const {
    return {BreathDay,  BreathNight, WheezDay, WheezNight, CoughDay, CoughNight, ChestDay,
            ChestNight, Offwork,     ActWalk,  ActRun,     RateBad,  RateAvg,    RateGood};
}

store::DayValues BasicDailyPage::values() const {
    store::DayValues v;
    v.morning = PkMorn->NoValue();
    v.evening = PkEven->NoValue();
    v.coughDay = CoughDay->BtnState();
    v.breathDay = BreathDay->BtnState();
    v.wheezeDay = WheezDay->BtnState();
    v.chestDay = ChestDay->BtnState();
    v.coughNight = CoughNight->BtnState();
    v.breathNight = BreathNight->BtnState();
    v.wheezeNight = WheezNight->BtnState();
    v.chestNight = ChestNight->BtnState();
    v.activityRestricted = ActWalk->BtnState();
    v.sportRestricted = ActRun->BtnState();
    v.offWork = Offwork->BtnState();
    v.relievers = RelUse->NoValue();
    v.preventers = PreUse->NoValue();
    v.rating = RateBad->BtnState() ? 1 : RateAvg->BtnState() ? 2 : RateGood->BtnState() ? 3 : 0;
    return v;
}

void BasicDailyPage::showValues(const store::DayValues& v) {
    PkMorn->setNoValue(v.morning);
    PkEven->setNoValue(v.evening);
    RelUse->setNoValue(v.relievers);
    PreUse->setNoValue(v.preventers);
    const std::pair<TDaSwitch*, bool> flags[] = {
        {CoughDay, v.coughDay},      {BreathDay, v.breathDay},   {WheezDay, v.wheezeDay},
        {ChestDay, v.chestDay},      {CoughNight, v.coughNight}, {BreathNight, v.breathNight},
        {WheezNight, v.wheezeNight}, {ChestNight, v.chestNight}, {ActWalk, v.activityRestricted},
        {ActRun, v.sportRestricted}, {Offwork, v.offWork}};
    for (const auto& [control, on] : flags)
        if (on) control->setBtnState(true);
    TDaSwitch* const ratings[] = {nullptr, RateBad, RateAvg, RateGood};
    if (v.rating >= 1 && v.rating <= 3) ratings[v.rating]->SetGroupState(true);
}

void BasicDailyPage::clear() {
    for (auto* s : switches()) s->setBtnState(false);
    RateGood->SetGroupState(false);
    for (controls::SpinEntry* e : std::initializer_list<controls::SpinEntry*>{PkMorn, PkEven, RelUse, PreUse})
        e->setNoValue(0);
}

int BasicDailyPage::daySymptoms() const {
    return BreathDay->BtnState() + WheezDay->BtnState() + CoughDay->BtnState() + ChestDay->BtnState();
}

void BasicDailyPage::setDoseCount(const QString& category, int count) {
    if (category == store::kReliever) RelUse->setNoValue(count);
    if (category == store::kPreventer) PreUse->setNoValue(count);
}

int BasicDailyPage::nightSymptoms() const {
    return BreathNight->BtnState() + WheezNight->BtnState() + CoughNight->BtnState() + ChestNight->BtnState();
}

}  // namespace pulmora::daily
