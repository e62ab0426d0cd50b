#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace pulmora::app {

// The program's help: the pages of the help folder beside the program, shown in a browser with
// contents, back and forward. Cards ask for a topic by its keyword.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void setHelpFolder(const QString& folder);
    // Shows the topic's page, or the contents for an empty keyword.
    void showTopic(const QString& keyword);
    QString currentPage() const;
    // F1 in a window without a help page of its own opens the contents.
    void offerContentsOnF1(QWidget& window);

    QTextBrowser* browser;
    QToolButton *contents, *back, *forward;

private:
    QString folder_;
};

}  // namespace pulmora::app
