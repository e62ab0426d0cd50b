#include "ReportRun.h"

#include "ReportPicture.h"
#include "pictures/Pictures.h"

namespace pulmora::reports {

QString periodText(const stats::Period& period) { return reportDate(period.first) + " to " + reportDate(period.last); }

ReportResult builtReport(TextReportFigures figures, const store::RepPerson& person, const QString& status,
                         const Viewport& viewport, ReportDrawing drawing, qreal pixelRatio) {
    ReportResult result;
    result.figures = std::move(figures);
    result.available = true;
    result.person = person;
    result.status = status;
    result.viewport = viewport;
    result.drawing = std::move(drawing);
    result.pixelRatio = pixelRatio;
    return result;
}

ReportResult noDataReport(TextReportFigures empty, const store::RepPerson& person, const stats::Period& reported,
                          qreal pixelRatio) {
    ReportResult result;
    result.figures = std::move(empty);
    result.person = person;
    result.status = " Cannot Produce Report as there is no Data for Period Starting " + periodText(reported);
    result.noDataPicture = controls::pictures::splash(controls::pictures::kSplashSize, pixelRatio);
    return result;
}

}  // namespace pulmora::reports
