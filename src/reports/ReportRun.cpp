#include "ReportRun.h"

#include "ReportPicture.h"
#include "controls/Pictures.h"

namespace pulmora::reports {

QString periodText(const stats::Period& period) { return reportDate(period.first) + " to " + reportDate(period.last); }

ReportResult noDataReport(ReportKind kind, const store::RepPerson& person, const stats::Period& reported,
                          qreal pixelRatio) {
    ReportResult result;
    result.kind = kind;
    result.person = person;
    result.status = " Cannot Produce Report as there is no Data for Period Starting " + periodText(reported);
    result.picture = controls::pictures::splash(controls::pictures::kSplashSize, pixelRatio);
    return result;
}

}  // namespace pulmora::reports
