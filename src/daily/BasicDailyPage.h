#pragma once

#include "store/Values.h"

#include <QWidget>

namespace pulmora::controls {
class TDaNumber;
class TDaSingle;
class TDaSwitch;
}  // namespace pulmora::controls

namespace pulmora::daily {

// The "Basic Daily " page: the two peak flows, the day and night symptoms, activity, time off,
// the dose counts and the rating of the day. Its controls carry their names as object names.
class BasicDailyPage : public QWidget {
    Q_OBJECT
public:
    explicit BasicDailyPage(QWidget* parent = nullptr);

    store::DayValues values() const;
    // Shows stored values. Switches are only switched on; clear() comes first.
    void showValues(const store::DayValues& values);
    // Every switch off, the entries at 0, no rating.
    void clear();
    // The page's controls in reading order: the peak flows, the symptoms and rating, then the
    // right-hand column.
    QList<QWidget*> tabOrder() const;
    int daySymptoms() const;
    int nightSymptoms() const;
    // Shows the count on the dose entry of the category ("Reliever" or "Preventer").
    void setDoseCount(const QString& category, int count);

signals:
    // A switch was clicked (TrapUpdate).
    void switchClicked();
    // A mouse button released on an entry or a digit typed into it (TrapUpdate2): for a dose
    // entry its category ("Reliever" or "Preventer") and count, for a peak flow an empty category.
    void entryReleased(const QString& category, int count);

private:
    std::vector<controls::TDaSwitch*> switches() const;

    controls::TDaNumber* PkMorn;
    controls::TDaNumber* PkEven;
    controls::TDaSwitch *BreathDay, *BreathNight, *WheezDay, *WheezNight, *CoughDay, *CoughNight, *ChestDay,
        *ChestNight;
    controls::TDaSwitch *Offwork, *ActWalk, *ActRun;
    controls::TDaSingle* RelUse;
    controls::TDaSingle* PreUse;
    controls::TDaSwitch *RateBad, *RateAvg, *RateGood;
};

}  // namespace pulmora::daily
