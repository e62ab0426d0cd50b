#include "HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>

namespace pulmora::app {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("Pulmora Help");
    browser = new QTextBrowser(this);
    browser->setOpenExternalLinks(true);
    contents = new QToolButton(this);
    contents->setText("Contents");
    back = new QToolButton(this);
    back->setText("Back");
    back->setShortcut(QKeySequence::Back);
    forward = new QToolButton(this);
    forward->setText("Forward");
    forward->setShortcut(QKeySequence::Forward);
    auto* bar = new QHBoxLayout;
    for (auto* b : {contents, back, forward}) bar->addWidget(b);
    bar->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(browser);
    resize(620, 520);

    // The help window closes from the keyboard as a dialog does, and as a document window does.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    connect(contents, &QToolButton::clicked, this, [this] { showTopic(QString()); });
    connect(back, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
}

void HelpWindow::setHelpFolder(const QString& folder) { folder_ = folder; }

void HelpWindow::showTopic(const QString& keyword) {
    const QString page = QDir(folder_).filePath((keyword.isEmpty() ? QStringLiteral("index") : keyword) + ".html");
    if (QFileInfo::exists(page)) {
        browser->setSource(QUrl::fromLocalFile(page));
    } else {
        browser->setHtml(QStringLiteral("<h2>Help is not available</h2><p>The help page for \"%1\" was not found in "
                                        "%2. Reinstalling the program brings the help pages back.</p>")
                             .arg(keyword.toHtmlEscaped(), QDir::toNativeSeparators(folder_).toHtmlEscaped()));
    }
    showNormal();
    raise();
    activateWindow();
}

void HelpWindow::offerContentsOnF1(QWidget& window) {
    connect(new QShortcut(Qt::Key_F1, &window), &QShortcut::activated, this, [this] { showTopic(QString()); });
}

QString HelpWindow::currentPage() const { return QFileInfo(browser->source().toLocalFile()).completeBaseName(); }

}  // namespace pulmora::app
